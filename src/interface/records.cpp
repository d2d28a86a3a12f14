// The menu widgets' records: each placed where a screen puts it, and as large
// as its picture, which decides what a click hits.
#include "interface/interface.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>


Interface* interface = nullptr;

static const char SELECTOR_LEFT_FILE[] = "data/interface/Button-Selector-Left.png";
static const char SELECTOR_RIGHT_FILE[] = "data/interface/Button-Selector-Right.png";
static const char BUTTON_FILE[] = "data/interface/Button.png";
static const char SELECTOR_LINE_FILE[] = "data/interface/Selector-Line.png";

// Arrow records alternate: odd records hold the right-pointing picture, even ones the left.
const InterfaceImage INTERFACE_IMAGES[NUMBER_OF_INTERFACE_SPRITES] = {
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {BUTTON_FILE, "Start!"},
    {BUTTON_FILE, "Options"},       {BUTTON_FILE, "How To Play"},   {BUTTON_FILE, "High Scores"},
    {BUTTON_FILE, "About"},         {BUTTON_FILE, "Exit"},          {BUTTON_FILE, "Back"},
    {BUTTON_FILE, " "},             {SELECTOR_LINE_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},
    {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},
    {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},
    {SELECTOR_RIGHT_FILE, nullptr}, {SELECTOR_LEFT_FILE, nullptr},  {SELECTOR_RIGHT_FILE, nullptr},
    {SELECTOR_LEFT_FILE, nullptr},
};

// Pixels taken off each side of a button image before a click counts.
static const float BUTTON_HIT_BOX_TRIM_X = 3.0f;
static const float BUTTON_HIT_BOX_TRIM_Y = 12.0f;

// A PNG's width and height stand in its header's first chunk, big-endian; a
// BMP's (which the picture loader reads as well) in its info header, the
// height negative for rows from the top.
const int PNG_SIZE_AT = 16;
const int BMP_SIZE_AT = 18;
const int PICTURE_HEADER_BYTES = 26;
static const unsigned char PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

static uint32_t FourBytes(const unsigned char* bytes, bool bigEndian)
{
    uint32_t value = 0;
    for (int index = 0; index < 4; index++) value = value << 8 | bytes[bigEndian ? index : 3 - index];
    return value;
}

bool ReadPictureSize(const char* file, int& width, int& height)
{
    unsigned char header[PICTURE_HEADER_BYTES];
    FILE* const picture = fopen(file, "rb");
    const bool read = picture && fread(header, 1, sizeof header, picture) == sizeof header;
    if (picture) fclose(picture);
    const bool png = read && memcmp(header, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
    const bool bmp = read && header[0] == 'B' && header[1] == 'M';
    if (!png && !bmp)
    {
        printf("ERROR: Picture %s is neither a PNG nor a BMP picture that can be read\n", file);
        return false;
    }
    const unsigned char* const size = header + (png ? PNG_SIZE_AT : BMP_SIZE_AT);
    width = (int32_t)FourBytes(size, png);
    height = abs((int32_t)FourBytes(size + 4, png));
    return true;
}

Interface::Interface()
{
    CurrentlySelectedButton = 0;
    CurrentlySelectedArrowSet = 0;
    ArrowSetArrowPressed = -1;
    for (InterfaceSprite& record : InterfaceSprites)
    {
        record = InterfaceSprite{};
        record.ScreenIndex = -1;
        record.PressedAnimationTimer = -1;
    }
}

Interface::~Interface()
{
}

void Interface::PlaceRecord(InterfaceSprite& record, int screenIndex, float x, float y)
{
    record.ScreenIndex = screenIndex;
    record.ScreenX = x;
    record.ScreenY = y;
    record.PressedAnimationTimer = -1;
}

void Interface::InitializeRecord(int index, int width, int height)
{
    InterfaceSprite& record = InterfaceSprites[index];
    PlaceRecord(record, -1, 320.0f, 240.0f);
    record.ImageWidth = width;
    record.ImageHeight = height;
    record.HitBoxTrimX = BUTTON_HIT_BOX_TRIM_X;
    record.HitBoxTrimY = BUTTON_HIT_BOX_TRIM_Y;
}

// As large as their pictures say they are, without a picture decoded.
bool Interface::InitializeRecordsFromPictureSizes()
{
    for (int index = 0; index < NUMBER_OF_INTERFACE_SPRITES; index++)
    {
        int width = 0;
        int height = 0;
        if (!ReadPictureSize(INTERFACE_IMAGES[index].file, width, height)) return false;
        InitializeRecord(index, width, height);
    }
    return true;
}

// The menu changes on the first and last step; a button's press, ending,
// chooses it.
void Interface::CountDownPress(int index, uint8_t& news, bool chosenEndsIt)
{
    InterfaceSprite& record = InterfaceSprites[index];
    if (record.PressedAnimationTimer == PRESS_ANIMATION_FRAMES || record.PressedAnimationTimer == 0)
        news |= MENU_CHANGED;
    if (record.PressedAnimationTimer < 0) return;
    record.PressedAnimationTimer--;
    if (record.PressedAnimationTimer == 0 && chosenEndsIt) news |= MENU_CHOSEN;
}
