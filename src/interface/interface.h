#ifndef WOBBLER_INTERFACE_H
#define WOBBLER_INTERFACE_H

#include <stdint.h>

#include "input/input.h"
#include "state_fields.h"

const int NUMBER_OF_INTERFACE_SPRITES = 31;
const int NUMBER_OF_ARROWS = 20;

// A chosen button or arrow stays shrunk for this many frames.
const int32_t PRESS_ANIMATION_FRAMES = 10;
const float PRESSED_SCALE = 0.85f;

// Records of the image table.
enum
{
    SELECTOR_LEFT = 0,
    SELECTOR_RIGHT = 1,
    BUTTON_START = 2,
    BUTTON_OPTIONS = 3,
    BUTTON_HOW_TO_PLAY = 4,
    BUTTON_HIGH_SCORES = 5,
    BUTTON_ABOUT = 6,
    BUTTON_EXIT = 7,
    BUTTON_BACK = 8,
    BUTTON_BLANK = 9,
    SELECTOR_LINE = 10,
    FIRST_ARROW = 11
};

// What a menu's widgets say of a frame, as bits: the menu changed (it is
// drawn afresh), a chosen button's press has ended (the screen fades out);
// and what was pressed, after which the screen pauses the input a while: a
// button, an arrow, or a move of the selection.
enum
{
    MENU_UNCHANGED = 0,
    MENU_CHANGED = 1,
    MENU_CHOSEN = 2,
    MENU_BUTTON_PRESSED = 4,
    MENU_ARROW_PRESSED = 8,
    MENU_SELECTION_MOVED = 16
};

// The keys a screen types with, which do not press its buttons: Space types a
// blank on the keyboard's name entry, button one picks a letter on the
// joystick's.
enum
{
    EVERY_KEY_CONFIRMS = 0,
    SPACE_TYPES = 1,
    BUTTON_ONE_PICKS = 2
};

// One menu widget: a button, a selector, an arrow or the highlight bar,
// where it stands and how large its picture is.
// Where a widget stands and how big it is decide what a click hits.
struct InterfaceSprite
{
#define INTERFACE_SPRITE_STATE(FIELD)         \
    FIELD(int32_t, ScreenIndex, )             \
    FIELD(float, ScreenX, )                   \
    FIELD(float, ScreenY, )                   \
    FIELD(float, ImageWidth, )                \
    FIELD(float, ImageHeight, )               \
    FIELD(float, HitBoxTrimX, )               \
    FIELD(float, HitBoxTrimY, )               \
    FIELD(int32_t, PressedAnimationTimer, )
#define INTERFACE_SPRITE_LEFT_OUT(FIELD)
    INTERFACE_SPRITE_STATE(DECLARE_FIELD)
    SCHEMA_OF_STRUCTURE(INTERFACE_SPRITE_STATE)
};

// One record's picture: its file, and the label printed into it (buttons only).
struct InterfaceImage
{
    const char* file;
    const char* label;
};
extern const InterfaceImage INTERFACE_IMAGES[NUMBER_OF_INTERFACE_SPRITES];

// A PNG or BMP picture's size from its header; false, with one ERROR line,
// when the file is neither.
bool ReadPictureSize(const char* file, int& width, int& height);

// The selection one row up or down a menu whose rows are numbered from
// first to last, `step` apart: up from the first goes to the last, down from
// the last to 0.
int StepThroughRows(int selected, uint8_t direction, int first, int last, int step);

#define INTERFACE_STATE(FIELD)                                          \
    FIELD(int32_t, CurrentlySelectedButton, )                           \
    FIELD(int32_t, CurrentlySelectedArrowSet, )                         \
    FIELD(int32_t, ArrowSetArrowPressed, )                              \
    FIELD(InterfaceSprite, InterfaceSprites, [NUMBER_OF_INTERFACE_SPRITES])
#define INTERFACE_LEFT_OUT(FIELD)

// The menu widgets: buttons with their selectors, and arrow sets.
class Interface
{
public:
    Interface();
    ~Interface();

    INTERFACE_STATE(DECLARE_FIELD)

    // records.cpp
    void PlaceRecord(InterfaceSprite& record, int screenIndex, float x, float y);
    void InitializeRecord(int index, int width, int height);
    bool InitializeRecordsFromPictureSizes();
    void CountDownPress(int index, uint8_t& news, bool chosenEndsIt);

    // buttons.cpp
    void CreateButton(int imageIndex, int screenIndex, float x, float y);
    void PlaceSelectors();
    // The frame's clicks, keys and moves; what came of them (MENU_...).
    uint8_t ProcessAllButtonsOnScreen(const FrameCommand& command, uint8_t typingKeys);
    void DestroyAllButtons();
    bool MouseClickedInside(const InterfaceSprite& record, const FrameCommand& command) const;
    void ChooseButton(InterfaceSprite& record, uint8_t& news);
    void NavigateButtons(uint8_t direction, uint8_t& news);
    void AnnounceSelectionMove(uint8_t& news);

    // arrow_sets.cpp
    void CreateArrowSet(int leftId, int rightId, float y);
    void PlaceHighlightBar();
    uint8_t ProcessAllArrowSetsOnScreen(const FrameCommand& command);
    void DestroyAllArrowSets();
    bool ArrowChosen(int id, uint8_t direction) const;
    void NavigateArrowSets(uint8_t direction, uint8_t& news);
};

extern Interface* interface;

#endif
