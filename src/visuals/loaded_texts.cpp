#include "visuals/visuals.h"

#include <GL/gl.h>

#include <stdio.h>

#include "checks.h"
#include "screens/screens.h"

// Headings are yellow, entries white; the line's colour comes only from its
// blue multiplier at drawing time.
const float YELLOW = 0.0f;
const float WHITE = 1.0f;

// Credit lines get a wider, dark border than ordinary text.
const int CREDIT_OUTLINE_WIDTH = 3;
// The texture sits this far left of the line's centre minus half its width.
const float CREDIT_LEFT_SHIFT = 2.0f;
static const LetterColour CREDIT_COLOUR = {255, 255, 255};
static const LetterColour CREDIT_OUTLINE_COLOUR = {25, 25, 25};

bool Visuals::LoadAllTextsIntoMemory()
{
    for (LoadedText& text : Texts) text.Texture = 0;
    LastLoadedTextIndex = NUMBER_OF_CREDIT_LINES - 1;

    for (int32_t index = 0; index <= LastLoadedTextIndex; index++)
    {
        LoadedText& text = Texts[index];
        text.BlueHue = CREDIT_LINES[index].Heading ? YELLOW : WHITE;

        int width = 0;
        int height = 0;
        RgbaPicture canvas;
        if (!RenderOutlinedText(CREDIT_LINES[index].Text, Font[0], CREDIT_COLOUR, CREDIT_OUTLINE_COLOUR,
                                CREDIT_OUTLINE_WIDTH, &width, &height, canvas))
            continue;

        const int margin = 2 * CREDIT_OUTLINE_WIDTH + 1;
        text.TextWidth = width + margin;
        text.TextHeight = height + margin;
        text.TextureWidth = canvas.Width;
        text.TextureHeight = canvas.Height;

        text.Texture = UploadNearestTexture(canvas, GL_RGBA);
    }
    printf("Loaded all texts into memory\n");
    return true;
}

void Visuals::DrawLoadedTextOntoScreenBuffer(unsigned short index, float x, float y)
{
    if (!RULE_HOLDS(index < NUMBER_OF_LOADED_TEXTS)) return;
    const LoadedText& text = Texts[index];
    if (text.Texture == 0) return;

    const float left = x - 0.5f * text.TextWidth;
    PlacedQuad quad = {UprightAt(text.Texture, left - CREDIT_LEFT_SHIFT, y),
                       {0.0f, 0.0f, text.TextureWidth, text.TextureHeight}};
    quad.BlueHue = text.BlueHue;
    DrawQuad(quad);
}

void Visuals::UnloadAllTextsFromMemory()
{
    for (LoadedText& text : Texts)
    {
        if (text.Texture != 0) glDeleteTextures(1, &text.Texture);
    }
    printf("Unloaded all texts from memory\n");
}
