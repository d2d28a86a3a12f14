#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>


#include "game/game.h"
#include "input/input.h"
#include "support/data_folder.h"
#include "support/key_events.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

// The size of a line of letters in a font: its smooth picture's, as SDL_ttf
// sizes it (one line high).
bool SizeOfLetters(Typeface* font, const char* text, int* width, int* height)
{
    RgbaPicture letters;
    if (!RenderLetters(font, text, {255, 255, 255}, true, letters)) return false;
    *width = letters.Width;
    *height = letters.Height;
    return true;
}

int LineHeight(Typeface* font)
{
    int width = 0;
    int height = 0;
    return SizeOfLetters(font, "A", &width, &height) ? height : -1;
}

class Text : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(visuals->LoadFontsIntoMemory());
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    bool IsBackground(const Pixel& pixel) const { return pixel.red + pixel.green + pixel.blue < 24; }

    // Leftmost pixel of the row band that is not background, or -1.
    int LeftmostDrawnColumn(int top, int bottom) const
    {
        for (int x = 0; x < 640; x++)
            for (int y = top; y <= bottom; y++)
                if (!IsBackground(ReadPixel(x, y))) return x;
        return -1;
    }

    bool BandHasColour(int top, int bottom, int red, int green, int blue) const
    {
        for (int y = top; y <= bottom; y++)
            for (int x = 0; x < 640; x++)
                if (PixelIs(x, y, red, green, blue, 10)) return true;
        return false;
    }
};

TEST_F(Text, FontsOpenInOrderAndAMissingOneStopsTheRest)
{
    for (Typeface* font : visuals->Font) EXPECT_NE(nullptr, font);
    EXPECT_GT(LineHeight(visuals->Font[3]), LineHeight(visuals->Font[0]));
    EXPECT_GT(LineHeight(visuals->Font[0]), LineHeight(visuals->Font[1]));
    EXPECT_GT(LineHeight(visuals->Font[1]), LineHeight(visuals->Font[2]));
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded all TTF fonts into memory"}));

    ASSERT_TRUE(OpenWindow(640, 480));
    ASSERT_TRUE(LinkDataWithout(directory->path, {"fonts/Destructo.ttf"}));
    const size_t logStart = output->Text().size();

    EXPECT_FALSE(visuals->LoadFontsIntoMemory());
    for (int index = 0; index < 4; index++) EXPECT_NE(nullptr, visuals->Font[index]);
    EXPECT_EQ(nullptr, visuals->Font[4]);
    const std::string log = output->Text().substr(logStart);
    EXPECT_EQ(0u, log.find("ERROR: Loading font: ")) << log;
    EXPECT_EQ(1, CountOccurrences(log, "\n")) << log;
}

TEST_F(Text, NextPowerOfTwoRoundsUpToTheNearestPower)
{
    const int cases[][2] = {{1, 1}, {2, 2}, {3, 4}, {33, 64}, {64, 64}, {65, 128}, {105, 128}, {1000, 1024}, {0, 1}};
    for (const auto& pair : cases) EXPECT_EQ(pair[1], visuals->NextPowerOfTwo(pair[0])) << pair[0];
}

// Each justification puts the texture's left edge at its own place; the
// glyphs start a fixed distance inside it, measured with left justification.
TEST_F(Text, JustificationsPlaceTheLeftEdge)
{
    const char text[] = "Wobble";
    Typeface* const font = visuals->Font[0];
    int width = 0;
    int height = 0;
    ASSERT_TRUE(SizeOfLetters(font, text, &width, &height));

    visuals->DrawTextOntoScreenBuffer(text, font, 100, 10, JUSTIFY_LEFT, 255, 255, 255, 255, 0, 0);
    const int inset = LeftmostDrawnColumn(10, 10 + height) - 100;
    ASSERT_GE(inset, 0);
    ASSERT_LT(inset, 6);

    struct Case
    {
        unsigned char justification;
        float x;
        int textureLeft;
    };
    const Case cases[] = {{JUSTIFY_CENTER_SCREEN, 555, 317 - width / 2},
                          {JUSTIFY_RIGHT, 3, 640 - 3 - width - 3},
                          {JUSTIFY_CENTER_X, 320, 320 - width / 2 - 3},
                          {7, 150, 150}};
    for (const Case& placed : cases)
    {
        visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
        visuals->DrawTextOntoScreenBuffer(text, font, placed.x, 100, placed.justification, 255, 255, 255, 255, 0, 0);
        EXPECT_EQ(placed.textureLeft + inset, LeftmostDrawnColumn(100, 100 + height))
            << "justification " << (int)placed.justification;
        EXPECT_EQ(-1, LeftmostDrawnColumn(0, 98)) << "the top edge is the given y";
    }
}

// Read across, every row of a tall letter is outline, letter (outline), and the
// outline closes it above and below: a canvas put together with rows of the
// wrong width shows as stripes and breaks this.
TEST_F(Text, EveryRowOfALetterReadsOutlineThenLetter)
{
    visuals->DrawTextOntoScreenBuffer("I", visuals->Font[3], 100, 100, JUSTIFY_LEFT, 255, 255, 255, 0, 0, 255);
    auto kind = [&](int x, int y) {
        if (PixelIs(x, y, 255, 255, 255, 16)) return 'L';
        if (PixelIs(x, y, 0, 0, 255, 16)) return 'O';
        return IsBackground(ReadPixel(x, y)) ? '.' : '~';  // '~': where the two blend
    };
    auto rowReads = [&](int y) {
        std::string seen;
        for (int x = 90; x < 200; x++)
        {
            const char here = kind(x, y);
            if (here != '.' && here != '~' && (seen.empty() || seen.back() != here)) seen += here;
        }
        return seen;
    };

    int firstLetterRow = -1;
    int lastLetterRow = -1;
    for (int y = 95; y < 170; y++)
    {
        if (rowReads(y).find('L') == std::string::npos) continue;
        if (firstLetterRow < 0) firstLetterRow = y;
        lastLetterRow = y;
    }
    ASSERT_GT(lastLetterRow - firstLetterRow, 25) << "a 45-point capital";
    for (int y = firstLetterRow; y <= lastLetterRow; y++)
    {
        // The outline is the rougher picture of the letters, so their
        // smoothed right edge may reach it.
        const std::string reads = rowReads(y);
        EXPECT_TRUE(reads == "OLO" || reads == "OL") << "row " << y << " reads " << reads;
    }
    EXPECT_EQ("O", rowReads(firstLetterRow - 1));
    EXPECT_EQ("O", rowReads(lastLetterRow + 1));
}

// A text as a screen places it: its words, font, x and justification.
struct PlacedText
{
    const char* text;
    int font;
    float x;
    unsigned char justification;
};

// Every fixed text of the menus, the options screen and both set-ups, the
// pause, the high-score table and the name entry, with the next text on its
// row, if any. "W" stands for the widest letter a player's key or a table row
// can put there.
struct FittingCase
{
    PlacedText placed;
    PlacedText next;
};

const float SCREEN = 0.0f;
const PlacedText EDGE = {nullptr, 0, 0.0f, JUSTIFY_LEFT};
const FittingCase FIXED_TEXTS[] = {
    {{"100%", 3, 3, JUSTIFY_RIGHT}, EDGE},
    {{"TM", 2, 17, JUSTIFY_RIGHT}, EDGE},
    {{"2.1", 2, 3, JUSTIFY_RIGHT}, EDGE},
    {{"(C) 2026 Brickwell Games", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"www.brickwell-games.example", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"______________________________________", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"NEW HIGH SCORE:", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"[W] = User defined Button #1", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"[W] = User defined Button #2", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Music Volume:", 0, 70, JUSTIFY_LEFT}, {"100%", 0, 70, JUSTIFY_RIGHT}},
    {{"Sound Effects Volume:", 0, 70, JUSTIFY_LEFT}, {"100%", 0, 70, JUSTIFY_RIGHT}},
    {{"Press [F1] On Keyboard To Setup Joystick(s)", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [F2] On Keyboard To Setup Keyboard", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [BUTTON1] on joystick #1 now!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [BUTTON2] on joystick #2 now!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [RIGHT] on joystick #2 now!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [F1] key on keyboard to quit setup.", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"(Will setup joystick(s) with default mappings.)", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press key on keyboard for button one now!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press key on keyboard for button two now!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [F2] key on keyboard to quit setup.", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"(Will setup keyboard with default mappings.)", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"P A U S E D", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"(Press [SpaceBar] To Continue!)", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Top Heroes!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"10", 0, 1, JUSTIFY_LEFT}, {"W", 0, 37, JUSTIFY_LEFT}},
    {{"Name:", 0, 37, JUSTIFY_LEFT}, {"Level:", 0, 420, JUSTIFY_LEFT}},
    {{"Level:", 0, 420, JUSTIFY_LEFT}, {"Score:", 0, 510, JUSTIFY_LEFT}},
    {{"Won!", 0, 420, JUSTIFY_LEFT}, {"0", 0, 510, JUSTIFY_LEFT}},
    {{"Score:", 0, 510, JUSTIFY_LEFT}, EDGE},
    {{"Congratulations!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"You have achieved a new high score!", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Please enter your name using the keyboard:", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Please enter your name using joystick #1:", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Please enter your name using joystick #2:", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [Backspace] key on keyboard to erase.", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"Press [Enter] key on keyboard when finished.", 0, SCREEN, JUSTIFY_CENTER_SCREEN}, EDGE},
    {{"W", 0, 45 * 12, JUSTIFY_CENTER_X}, {"W", 0, 45 * 13, JUSTIFY_CENTER_X}},
    {{"W", 0, 45 * 13, JUSTIFY_CENTER_X}, EDGE},
};

// The columns a text covers on screen: its letters, and its letters with
// their outline, read from the drawn pixels of its texture and placed by the
// left edge its justification gives.
struct ColumnSpan
{
    int left;
    int right;
};

struct TextColumns
{
    ColumnSpan outlined;
    ColumnSpan letters;
};

TextColumns ColumnsOf(const PlacedText& placed)
{
    const LetterColour white = {255, 255, 255};
    const LetterColour black = {0, 0, 0};
    int width = 0;
    int height = 0;
    RgbaPicture canvas;
    if (!visuals->RenderOutlinedText(placed.text, visuals->Font[placed.font], white, black, 2, &width, &height, canvas))
        return {{-1, 9999}, {-1, 9999}};
    TextColumns columns = {{canvas.Width, -1}, {canvas.Width, -1}};
    for (int y = 0; y < canvas.Height; y++)
    {
        for (int x = 0; x < canvas.Width; x++)
        {
            const uint8_t* pixel = &canvas.Pixels[(static_cast<size_t>(y) * canvas.Width + x) * 4];
            if (pixel[3] == 0) continue;
            columns.outlined = {std::min(columns.outlined.left, x), std::max(columns.outlined.right, x)};
            if (pixel[0] == 0) continue;
            columns.letters = {std::min(columns.letters.left, x), std::max(columns.letters.right, x)};
        }
    }

    int left = (int)placed.x;
    if (placed.justification == JUSTIFY_CENTER_SCREEN) left = 317 - width / 2;
    if (placed.justification == JUSTIFY_RIGHT) left = 640 - (int)placed.x - width - 3;
    if (placed.justification == JUSTIFY_CENTER_X) left = (int)placed.x - width / 2 - 3;
    for (ColumnSpan* span : {&columns.outlined, &columns.letters})
    {
        span->left += left;
        span->right += left;
    }
    return columns;
}

// No outline leaves the screen, and beside the next text on the row each
// text's letters stop short of the other's outline: outlines may meet, dark
// on dark, but letters never run into the next word.
TEST_F(Text, EveryFixedTextFitsTheScreenAndItsColumn)
{
    for (const FittingCase& fitting : FIXED_TEXTS)
    {
        const TextColumns text = ColumnsOf(fitting.placed);
        EXPECT_GE(text.outlined.left, 0) << fitting.placed.text;
        EXPECT_LT(text.outlined.right, 640) << fitting.placed.text;
        if (!fitting.next.text) continue;
        const TextColumns next = ColumnsOf(fitting.next);
        EXPECT_LT(text.letters.right, next.outlined.left) << fitting.placed.text << " runs into " << fitting.next.text;
        EXPECT_LT(text.outlined.right, next.letters.left) << fitting.next.text << " runs into " << fitting.placed.text;
    }
}

TEST_F(Text, NothingIsDrawnWhenThereIsNothingToRender)
{
    visuals->DrawTextOntoScreenBuffer("", visuals->Font[0], 100, 100, JUSTIFY_LEFT, 255, 255, 255, 255, 0, 0);
    visuals->DrawTextOntoScreenBuffer("Lost", nullptr, 100, 100, JUSTIFY_LEFT, 255, 255, 255, 255, 0, 0);
    visuals->DrawTextOntoScreenBuffer(nullptr, visuals->Font[0], 100, 100, JUSTIFY_LEFT, 255, 255, 255, 255, 0, 0);
    EXPECT_EQ(-1, LeftmostDrawnColumn(90, 150));
}

class CreditLines : public Text
{
protected:
    void SetUp() override
    {
        Text::SetUp();
        ASSERT_TRUE(visuals->LoadAllTextsIntoMemory());
    }
};

TEST_F(CreditLines, FiftyFourLinesAreRenderedWithTheirSizes)
{
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded all texts into memory"}));
    EXPECT_EQ(53, visuals->LastLoadedTextIndex);
    for (int index = 0; index <= 53; index++) EXPECT_TRUE(glIsTexture(visuals->Texts[index].Texture)) << index;
    for (int index = 54; index < NUMBER_OF_LOADED_TEXTS; index++) EXPECT_EQ(0u, visuals->Texts[index].Texture);
    EXPECT_EQ(0.0f, visuals->Texts[5].BlueHue);
    EXPECT_EQ(1.0f, visuals->Texts[20].BlueHue);

    int width = 0;
    int height = 0;
    ASSERT_TRUE(SizeOfLetters(visuals->Font[0], "Someone", &width, &height));
    const LoadedText& someone = visuals->Texts[20];
    EXPECT_EQ(width + 7, someone.TextWidth);
    EXPECT_EQ(height + 7, someone.TextHeight);
    EXPECT_EQ(visuals->NextPowerOfTwo(width + 7), someone.TextureWidth);
    EXPECT_EQ(visuals->NextPowerOfTwo(height + 7), someone.TextureHeight);
}

TEST_F(CreditLines, HeadingsAreYellowAndEntriesWhiteBothWithADarkBorder)
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 1.0f, 1.0f);
    visuals->DrawLoadedTextOntoScreenBuffer(5, 320, 100);
    visuals->DrawLoadedTextOntoScreenBuffer(20, 320, 300);
    EXPECT_TRUE(BandHasColour(100, 140, 255, 255, 0));
    EXPECT_FALSE(BandHasColour(100, 140, 255, 255, 255));
    EXPECT_TRUE(BandHasColour(100, 140, 25, 25, 0));  // the blue multiplier darkens the border too
    EXPECT_TRUE(BandHasColour(300, 340, 255, 255, 255));
    EXPECT_FALSE(BandHasColour(300, 340, 255, 255, 0));
    EXPECT_TRUE(BandHasColour(300, 340, 25, 25, 25));
}

TEST_F(CreditLines, ALineIsCentredOnItsX)
{
    const LoadedText& line = visuals->Texts[20];
    visuals->DrawLoadedTextOntoScreenBuffer(20, 200, 100);
    const int left = LeftmostDrawnColumn(100, 100 + (int)line.TextHeight);
    const int textureLeft = (int)(200 - 0.5f * line.TextWidth - 2.0f);
    EXPECT_GE(left, textureLeft);
    EXPECT_LE(left, textureLeft + 5);
}

TEST_F(CreditLines, UnloadingDeletesEveryLine)
{
    const GLuint first = visuals->Texts[0].Texture;
    const GLuint last = visuals->Texts[53].Texture;
    visuals->UnloadAllTextsFromMemory();
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_FALSE(glIsTexture(last));
    EXPECT_TRUE(AppearInOrder(output->Text(), {"Loaded all texts into memory", "Unloaded all texts from memory"}));
}

using DebugOverlay = Text;

// Rows at 429, 445 and 461: a white plate with the value in near-black.
TEST_F(DebugOverlay, ShowsFrameRateAndMouseOnWhitePlatesOnlyWhenDebugIsOne)
{
    game->AverageFrameRate = 62;
    TakeInput(Clicked(888, 7));  // the pointer comes with a click
    game->DebugOn = 2;
    visuals->DisplayDebuggingInfo();
    EXPECT_EQ(-1, LeftmostDrawnColumn(425, 479));

    game->DebugOn = 1;
    visuals->DisplayDebuggingInfo();
    for (int row : {429, 445, 461})
    {
        EXPECT_TRUE(BandHasColour(row, row + 15, 255, 255, 255)) << row;
        EXPECT_TRUE(BandHasColour(row, row + 15, 1, 1, 1)) << row;
        EXPECT_GE(LeftmostDrawnColumn(row, row + 15), 3);
        EXPECT_LE(LeftmostDrawnColumn(row, row + 15), 6);
    }
    EXPECT_EQ(-1, LeftmostDrawnColumn(300, 425));
    EXPECT_STREQ("7", visuals->VariableText);
}

}  // namespace
