#include "visuals/visuals.h"

#include <GL/gl.h>

#include <stdio.h>

#include "checks.h"

// Slot to picture, in ascending slot order; every other slot stays empty.
// The asset generator keeps a list of the same pictures, which the asset
// test holds against this one.
const SpriteFile SPRITE_FILES[NUMBER_OF_SPRITE_FILES] = {
    {SPRITE_SCREEN_FADE, "data/graphics/Screen-Fade.png"}, {SPRITE_SCREEN_FADE_COPY, "data/graphics/Screen-Fade.png"},
    {SPRITE_MAKER_LOGO, "data/graphics/Brickwell-Logo.png"},
    {SPRITE_KEYBOARD_CONTROLS, "data/graphics/Keyboard-Controls.png"},
    {SPRITE_MENU_BACKGROUND, "data/graphics/Arcade-Room-01.png"},
    {SPRITE_TV_STATIC, "data/graphics/TV_Static.png"},
    {SPRITE_TV_FRAME, "data/graphics/TV.png"},
    {SPRITE_TEXT_LOGO, "data/graphics/WobblerSaga-Text-Logo.png"},
    {SPRITE_SPONSOR_LOGO, "data/graphics/Sponsor-Logo.png"},
    {SPRITE_HERO_UP + 0, "data/graphics/Player_UP1.png"}, {SPRITE_HERO_UP + 1, "data/graphics/Player_UP2.png"},
    {SPRITE_HERO_UP + 2, "data/graphics/Player_UP3.png"}, {SPRITE_HERO_UP + 3, "data/graphics/Player_UP4.png"},
    {SPRITE_HERO_UP + 4, "data/graphics/Player_UP5.png"}, {SPRITE_HERO_UP + 5, "data/graphics/Player_Die.png"},
    {SPRITE_HERO_RIGHT + 0, "data/graphics/Player_RIGHT1.png"}, {SPRITE_HERO_RIGHT + 1, "data/graphics/Player_RIGHT2.png"},
    {SPRITE_HERO_RIGHT + 2, "data/graphics/Player_RIGHT3.png"}, {SPRITE_HERO_RIGHT + 3, "data/graphics/Player_RIGHT4.png"},
    {SPRITE_HERO_RIGHT + 4, "data/graphics/Player_RIGHT5.png"}, {SPRITE_HERO_RIGHT + 5, "data/graphics/Player_Die.png"},
    {SPRITE_HERO_DOWN + 0, "data/graphics/Player_DOWN1.png"}, {SPRITE_HERO_DOWN + 1, "data/graphics/Player_DOWN2.png"},
    {SPRITE_HERO_DOWN + 2, "data/graphics/Player_DOWN3.png"}, {SPRITE_HERO_DOWN + 3, "data/graphics/Player_DOWN4.png"},
    {SPRITE_HERO_DOWN + 4, "data/graphics/Player_DOWN5.png"}, {SPRITE_HERO_DOWN + 5, "data/graphics/Player_Die.png"},
    {SPRITE_HERO_LEFT + 0, "data/graphics/Player_LEFT1.png"}, {SPRITE_HERO_LEFT + 1, "data/graphics/Player_LEFT2.png"},
    {SPRITE_HERO_LEFT + 2, "data/graphics/Player_LEFT3.png"}, {SPRITE_HERO_LEFT + 3, "data/graphics/Player_LEFT4.png"},
    {SPRITE_HERO_LEFT + 4, "data/graphics/Player_LEFT5.png"}, {SPRITE_HERO_LEFT + 5, "data/graphics/Player_Die.png"},
    {SPRITE_SWELL_UP, "data/graphics/Player_UP3.png"}, {SPRITE_SWELL_RIGHT, "data/graphics/Player_RIGHT3.png"},
    {SPRITE_SWELL_DOWN, "data/graphics/Player_DOWN3.png"}, {SPRITE_SWELL_LEFT, "data/graphics/Player_LEFT3.png"},
    {SPRITE_GHOST_BODIES + 0, "data/graphics/Ghost_Red1.png"}, {SPRITE_GHOST_BODIES + 1, "data/graphics/Ghost_Red2.png"},
    {SPRITE_GHOST_BODIES + 2, "data/graphics/Ghost_Orange1.png"}, {SPRITE_GHOST_BODIES + 3, "data/graphics/Ghost_Orange2.png"},
    {SPRITE_GHOST_BODIES + 4, "data/graphics/Ghost_Cyan1.png"}, {SPRITE_GHOST_BODIES + 5, "data/graphics/Ghost_Cyan2.png"},
    {SPRITE_GHOST_BODIES + 6, "data/graphics/Ghost_Yellow1.png"}, {SPRITE_GHOST_BODIES + 7, "data/graphics/Ghost_Yellow2.png"},
    {SPRITE_GHOST_BODIES + 8, "data/graphics/Ghost_Green1.png"}, {SPRITE_GHOST_BODIES + 9, "data/graphics/Ghost_Green2.png"},
    {SPRITE_GHOST_BODIES + 10, "data/graphics/Ghost_Blue1.png"}, {SPRITE_GHOST_BODIES + 11, "data/graphics/Ghost_Blue2.png"},
    {SPRITE_GHOST_BODIES + 12, "data/graphics/Ghost_Purple1.png"}, {SPRITE_GHOST_BODIES + 13, "data/graphics/Ghost_Purple2.png"},
    {SPRITE_GHOST_BODIES + 14, "data/graphics/Ghost_Black1.png"}, {SPRITE_GHOST_BODIES + 15, "data/graphics/Ghost_Black2.png"},
    {SPRITE_SCARED_GHOST, "data/graphics/Ghost_Scared1.png"}, {SPRITE_SCARED_GHOST_SECOND, "data/graphics/Ghost_Scared2.png"},
    {SPRITE_EYES_UP, "data/graphics/Ghost_Eyes_UP.png"}, {SPRITE_EYES_RIGHT, "data/graphics/Ghost_Eyes_RIGHT.png"},
    {SPRITE_EYES_DOWN, "data/graphics/Ghost_Eyes_DOWN.png"}, {SPRITE_EYES_LEFT, "data/graphics/Ghost_Eyes_LEFT.png"},
    {SPRITE_MAP_PELLET, "data/graphics/Map_Pellet.png"},
    {SPRITE_MAP_BACKGROUND, "data/graphics/MapBG.png"},
    {SPRITE_MAP_HERO, "data/graphics/Map_Gob.png"},
    {SPRITE_PELLET, "data/graphics/Pellet.png"},
    {SPRITE_POWER_PELLET, "data/graphics/Power_Pellet.png"},
    {SPRITE_WALL, "data/graphics/BoundaryLEGO.png"},
    {SPRITE_SUPERMARKET, "data/graphics/Supermarket.png"},
    {SPRITE_WAREHOUSE, "data/graphics/Warehouse.png"},
    {SPRITE_SUNRISE, "data/graphics/Warehouse_Sunrise.png"},
    {SPRITE_HERO_PORTRAIT, "data/graphics/Wobbler_Right.png"},
    {SPRITE_HERO_PORTRAIT_COPY, "data/graphics/Wobbler2.png"},
    {SPRITE_HEROINE, "data/graphics/MsWobbler.png"},
    {SPRITE_OPENING_GHOST, "data/graphics/Ghost_Character.png"},
    {SPRITE_ENDING_GHOST, "data/graphics/Ghost_Character2.png"},
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

Placement UprightAt(GLuint texture, float x, float y)
{
    return Placement{texture, x, y, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, true};
}

static void ResetDrawingState(Sprite& sprite, const RgbaPicture& image)
{
    static_cast<Placement&>(sprite) = UprightAt(sprite.Texture, VIRTUAL_SCREEN_WIDTH / 2, VIRTUAL_SCREEN_HEIGHT / 2);
    sprite.FlipX = false;
    sprite.FlipY = false;
    sprite.ImageWidth = image.Width;
    sprite.ImageHeight = image.Height;
}

bool Visuals::LoadSpriteImage(Sprite& sprite, const char* file)
{
    RgbaPicture image;
    bool truecolor = false;
    if (!LoadPowerOfTwoImage(file, image, truecolor)) return false;

    // Every picture is drawn from a 32-bit RGBA copy of itself.
    if (!image.Pixels)
    {
        printf("ERROR: The image is not truecolor\n");
        sprite.Texture = 0;
        return false;
    }

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    sprite.Texture = UploadNearestTexture(image, GL_RGBA);

    ResetDrawingState(sprite, image);
    FindVisibleParts(sprite, image);
    return true;
}

// The quad's corners, textured, in the current matrix.
void Visuals::DrawTexturedQuad(const PlacedQuad& quad)
{
    const QuadCorners& corners = quad.Corners;
    const GLfloat vertices[4 * 3] = {corners.StartX, corners.StartY, 0.0f, corners.EndX,   corners.StartY, 0.0f,
                                     corners.EndX,   corners.EndY,   0.0f, corners.StartX, corners.EndY,   0.0f};
    static const GLfloat TEXTURE_CORNERS[4 * 2] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    glTexCoordPointer(2, GL_FLOAT, 0, TEXTURE_CORNERS);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

PlacedQuad QuadOfSprite(const Sprite& sprite)
{
    // Mirroring swaps the corners, so a mirrored sprite hangs off its position.
    const float halfWidth = sprite.ImageWidth / 2;
    const float halfHeight = sprite.ImageHeight / 2;
    const QuadCorners corners = {sprite.FlipX ? (float)sprite.ImageWidth : -halfWidth,
                                 sprite.FlipY ? (float)sprite.ImageHeight : -halfHeight,
                                 sprite.FlipX ? 0.0f : halfWidth, sprite.FlipY ? 0.0f : halfHeight};
    return PlacedQuad{sprite, corners};
}

void Visuals::PlaceQuad(const PlacedQuad& quad)
{
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, quad.Texture);
    glEnable(GL_TEXTURE_2D);
    glTranslatef(quad.ScreenX, quad.ScreenY, 0.0f);
    glScalef(quad.ScaleX, quad.ScaleY, 1.0f);
    glRotatef(quad.RotationDegree, 0.0f, 0.0f, 1.0f);
    glColor4f(quad.RedHue, quad.GreenHue, quad.BlueHue, quad.Transparency);

    if (quad.Smooth)
    {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
}

void Visuals::DrawQuad(const PlacedQuad& quad, const Sprite* sprite)
{
    const bool cut = sprite && MayBeCut(*sprite);  // asked before the quad's own place is pushed
    PlaceQuad(quad);
    if (cut)
        DrawVisibleParts(*sprite, quad);
    else
        DrawTexturedQuad(quad);
    glPopMatrix();
}

void Visuals::DrawSpriteOntoScreenBuffer(unsigned short index)
{
    if (!RULE_HOLDS(index < NUMBER_OF_SPRITES)) return;
    const Sprite& sprite = Sprites[index];
    if (sprite.Texture == 0) return;
    DrawQuad(QuadOfSprite(sprite), &sprite);
}

void Visuals::UnloadSpritesFromMemory()
{
    for (Sprite& sprite : Sprites)
    {
        if (sprite.Texture != 0) glDeleteTextures(1, &sprite.Texture);
    }
    printf("Unloaded all sprite images from memory\n");
}
