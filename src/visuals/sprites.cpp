#include "visuals/visuals.h"

#include <stdio.h>


// Slot to picture, in ascending slot order; every other slot stays empty.
// Player frames sit at 10 + 10 * direction + frame, ghost colours at 60 + 2 * colour.
const SpriteFile SPRITE_FILES[NUMBER_OF_SPRITE_FILES] = {
    {0, "data/graphics/Screen-Fade.png"},
    {1, "data/graphics/Screen-Fade.png"},
    {2, "data/graphics/Brickwell-Logo.png"},
    {3, "data/graphics/Keyboard-Controls.png"},
    {4, "data/graphics/Arcade-Room-01.png"},
    {5, "data/graphics/TV_Static.png"},
    {6, "data/graphics/TV.png"},
    {7, "data/graphics/WobblerSaga-Text-Logo.png"},
    {8, "data/graphics/Sponsor-Logo.png"},
    {10, "data/graphics/Player_UP1.png"},
    {11, "data/graphics/Player_UP2.png"},
    {12, "data/graphics/Player_UP3.png"},
    {13, "data/graphics/Player_UP4.png"},
    {14, "data/graphics/Player_UP5.png"},
    {15, "data/graphics/Player_Die.png"},
    {20, "data/graphics/Player_RIGHT1.png"},
    {21, "data/graphics/Player_RIGHT2.png"},
    {22, "data/graphics/Player_RIGHT3.png"},
    {23, "data/graphics/Player_RIGHT4.png"},
    {24, "data/graphics/Player_RIGHT5.png"},
    {25, "data/graphics/Player_Die.png"},
    {30, "data/graphics/Player_DOWN1.png"},
    {31, "data/graphics/Player_DOWN2.png"},
    {32, "data/graphics/Player_DOWN3.png"},
    {33, "data/graphics/Player_DOWN4.png"},
    {34, "data/graphics/Player_DOWN5.png"},
    {35, "data/graphics/Player_Die.png"},
    {40, "data/graphics/Player_LEFT1.png"},
    {41, "data/graphics/Player_LEFT2.png"},
    {42, "data/graphics/Player_LEFT3.png"},
    {43, "data/graphics/Player_LEFT4.png"},
    {44, "data/graphics/Player_LEFT5.png"},
    {45, "data/graphics/Player_Die.png"},
    {46, "data/graphics/Player_UP3.png"},
    {47, "data/graphics/Player_RIGHT3.png"},
    {48, "data/graphics/Player_DOWN3.png"},
    {49, "data/graphics/Player_LEFT3.png"},
    {60, "data/graphics/Ghost_Red1.png"},
    {61, "data/graphics/Ghost_Red2.png"},
    {62, "data/graphics/Ghost_Orange1.png"},
    {63, "data/graphics/Ghost_Orange2.png"},
    {64, "data/graphics/Ghost_Cyan1.png"},
    {65, "data/graphics/Ghost_Cyan2.png"},
    {66, "data/graphics/Ghost_Yellow1.png"},
    {67, "data/graphics/Ghost_Yellow2.png"},
    {68, "data/graphics/Ghost_Green1.png"},
    {69, "data/graphics/Ghost_Green2.png"},
    {70, "data/graphics/Ghost_Blue1.png"},
    {71, "data/graphics/Ghost_Blue2.png"},
    {72, "data/graphics/Ghost_Purple1.png"},
    {73, "data/graphics/Ghost_Purple2.png"},
    {74, "data/graphics/Ghost_Black1.png"},
    {75, "data/graphics/Ghost_Black2.png"},
    {76, "data/graphics/Ghost_Scared1.png"},
    {77, "data/graphics/Ghost_Scared2.png"},
    {78, "data/graphics/Ghost_Eyes_UP.png"},
    {79, "data/graphics/Ghost_Eyes_RIGHT.png"},
    {80, "data/graphics/Ghost_Eyes_DOWN.png"},
    {81, "data/graphics/Ghost_Eyes_LEFT.png"},
    {91, "data/graphics/Map_Pellet.png"},
    {92, "data/graphics/MapBG.png"},
    {93, "data/graphics/Map_Gob.png"},
    {97, "data/graphics/Pellet.png"},
    {98, "data/graphics/Power_Pellet.png"},
    {99, "data/graphics/BoundaryLEGO.png"},
    {110, "data/graphics/Supermarket.png"},
    {111, "data/graphics/Warehouse.png"},
    {112, "data/graphics/Warehouse_Sunrise.png"},
    {121, "data/graphics/Wobbler_Right.png"},
    {123, "data/graphics/Wobbler2.png"},
    {130, "data/graphics/MsWobbler.png"},
    {140, "data/graphics/Ghost_Character.png"},
    {141, "data/graphics/Ghost_Character2.png"},
};

bool Visuals::LoadSpritesIntoMemoryAndInitialize()
{
    for (const SpriteFile& entry : SPRITE_FILES)
    {
        if (!LoadSpriteImage(Sprites[entry.Index], entry.File)) return false;
    }
    printf("Loaded and initialized all sprite images into memory\n");
    return true;
}

static GLenum UploadFormatOf(const SDL_Surface* surface)
{
    if (surface->format->BytesPerPixel == 4) return GL_RGBA;
    if (surface->format->BytesPerPixel == 3) return GL_RGB;
    return 0;
}

static void ResetDrawingState(Sprite& sprite, const SDL_Surface* image)
{
    sprite.ScreenX = VIRTUAL_SCREEN_WIDTH / 2;
    sprite.ScreenY = VIRTUAL_SCREEN_HEIGHT / 2;
    sprite.ScaleX = 1.0f;
    sprite.ScaleY = 1.0f;
    sprite.RotationDegree = 0.0f;
    sprite.Transparency = 1.0f;
    sprite.RedHue = 1.0f;
    sprite.GreenHue = 1.0f;
    sprite.BlueHue = 1.0f;
    sprite.Smooth = true;
    sprite.FlipX = false;
    sprite.FlipY = false;
    sprite.ImageWidth = image->w;
    sprite.ImageHeight = image->h;
}

bool Visuals::LoadSpriteImage(Sprite& sprite, const char* file)
{
    SDL_Surface* image = LoadPowerOfTwoImage(file);
    if (!image) return false;

    SDL_Surface* converted = ConvertToRGBA(image);
    const GLenum format = converted ? UploadFormatOf(converted) : 0;
    if (format == 0)
    {
        printf("ERROR: The image is not truecolor\n");
        sprite.Texture = 0;
        SDL_FreeSurface(converted);
        SDL_FreeSurface(image);
        return false;
    }

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    sprite.Texture = UploadNearestTexture(converted, format);

    ResetDrawingState(sprite, image);
    FindSpritePieces(sprite, converted);

    SDL_FreeSurface(image);
    SDL_FreeSurface(converted);
    return true;
}

// One textured quad from corner (left, top) to (right, bottom) in the current matrix.
void Visuals::DrawTexturedQuad(float left, float top, float right, float bottom)
{
    const GLfloat corners[4 * 3] = {left, top, 0.0f, right, top, 0.0f, right, bottom, 0.0f, left, bottom, 0.0f};
    static const GLfloat TEXTURE_CORNERS[4 * 2] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners);
    glTexCoordPointer(2, GL_FLOAT, 0, TEXTURE_CORNERS);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

void Visuals::DrawTexturedQuad(const QuadCorners& corners)
{
    DrawTexturedQuad(corners.Left, corners.Top, corners.Right, corners.Bottom);
}

QuadCorners Visuals::BeginSpriteDraw(const Sprite& sprite)
{
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, sprite.Texture);
    glEnable(GL_TEXTURE_2D);
    glTranslatef(sprite.ScreenX, sprite.ScreenY, 0.0f);
    glScalef(sprite.ScaleX, sprite.ScaleY, 1.0f);
    glRotatef(sprite.RotationDegree, 0.0f, 0.0f, 1.0f);
    glColor4f(sprite.RedHue, sprite.GreenHue, sprite.BlueHue, sprite.Transparency);

    if (sprite.Smooth)
    {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }

    // Mirroring swaps the corners, so a mirrored sprite hangs off its position.
    const int halfWidth = sprite.ImageWidth / 2;
    const int halfHeight = sprite.ImageHeight / 2;
    const float left = sprite.FlipX ? sprite.ImageWidth : -halfWidth;
    const float right = sprite.FlipX ? 0 : halfWidth;
    const float top = sprite.FlipY ? sprite.ImageHeight : -halfHeight;
    const float bottom = sprite.FlipY ? 0 : halfHeight;
    return QuadCorners{left, top, right, bottom};
}

void Visuals::DrawSpriteOntoScreenBuffer(unsigned short index)
{
    if (index >= NUMBER_OF_SPRITES) return;
    const Sprite& sprite = Sprites[index];
    if (sprite.Texture == 0) return;

    const QuadCorners corners = BeginSpriteDraw(sprite);
    if (!DrawSpritePieces(sprite, corners)) DrawTexturedQuad(corners);
    glPopMatrix();
}

void Visuals::UnloadSpritesFromMemory()
{
    for (Sprite& sprite : Sprites)
    {
        if (sprite.Texture != 0) glDeleteTextures(1, &sprite.Texture);
    }
    printf("Unloaded all sprite images from memory\n");
}
