// Any keys and any joystick, through the real poll: the joystick double is
// linked in, so the game's joystick calls reach it. Whatever the mapping
// (an options file can hold any code), the input state stays in its ranges
// and the game never asks for an axis or button the stick does not have.
#include <stdint.h>

#include <SDL.h>

#include "fuzz_support.h"
#include "game/game.h"
#include "input/input.h"
#include "desktop/desktop.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

extern "C" int JoystickDoubleOutOfRangeQueries(void);

namespace {

const int MOST_AXES = 16;
const int MOST_BUTTONS = 32;
const int MOST_KEYS_PER_POLL = 16;
const int NUMBER_OF_SCREEN_IDENTIFIERS = 14;
const int LARGEST_KEY_SYMBOL_TYPE_VALUE = 512;  // SDLKey's values fit in 9 bits

// Reads the input front to back; zeros once it runs out.
struct Reader
{
    const uint8_t* bytes;
    size_t size;
    size_t position;

    uint8_t Byte() { return position < size ? bytes[position++] : 0; }
    uint16_t Word() { return (uint16_t)(Byte() | Byte() << 8); }
};

void WriteSticks(Reader& reader)
{
    const int joysticks = reader.Byte() % (NUMBER_OF_JOYSTICKS + 1);
    const int axes = reader.Byte() % (MOST_AXES + 1);
    const int buttons = reader.Byte() % (MOST_BUTTONS + 1);
    const int hats = reader.Byte() % 2;
    FILE* file = fopen("joystick-state", "w");
    if (!file) abort();
    fprintf(file, "joysticks %d\n", joysticks);
    for (int joystick = 0; joystick < joysticks; joystick++)
    {
        fprintf(file, "joystick %d axes %d buttons %d hats %d\nhat %d 0 %d\n", joystick, axes, buttons, hats, joystick,
                reader.Byte());
        for (int axis = 0; axis < axes; axis++) fprintf(file, "axis %d %d %d\n", joystick, axis, (int16_t)reader.Word());
        for (int button = 0; button < buttons; button++)
            fprintf(file, "button %d %d %d\n", joystick, button, reader.Byte() & 1);
    }
    fclose(file);
}

bool IsDirection(uint8_t value)
{
    return value == CENTER || value == UP || value == RIGHT || value == DOWN || value == LEFT;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterFuzzFolder("controls");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("WOBBLER_JOYSTICK_STATE", "joystick-state", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) abort();
    game = new Game();
    visuals = new Visuals();
    screens = new Screens();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    Reader reader{bytes, size, 0};
    WriteSticks(reader);
    input = new Input();
    input->OpenJoysticks();
    input->DelayAllUserInput = -1;
    screens->ScreenToDisplay = reader.Byte() % NUMBER_OF_SCREEN_IDENTIFIERS;

    uint8_t* const maps[6] = {input->JoyMapUP, input->JoyMapDOWN, input->JoyMapLEFT,
                              input->JoyMapRIGHT, input->JoyMapButtonOne, input->JoyMapButtonTwo};
    for (uint8_t* map : maps)
        for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++) map[joystick] = reader.Byte();
    input->UserDefinedKeyButtonOne = (char)reader.Byte();
    input->UserDefinedKeyButtonTwo = (char)reader.Byte();

    // Symbols past SDLK_LAST are pushed too, up to what the SDLKey type can hold.
    const int keys = reader.Byte() % (MOST_KEYS_PER_POLL + 1);
    for (int key = 0; key < keys; key++)
    {
        SDL_Event event;
        memset(&event, 0, sizeof(event));
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = (SDLKey)(reader.Word() % LARGEST_KEY_SYMBOL_TYPE_VALUE);
        event.key.keysym.mod = (SDLMod)reader.Word();
        SDL_PushEvent(&event);
    }

    const int before = JoystickDoubleOutOfRangeQueries();
    // The frame's input as the game reads and takes it.
    FrameInput frame;
    input->ReadFrameInput(frame);
    screens->TakeFrameInput(frame);
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS + 1; joystick++)
    {
        const uint8_t code = input->QueryJoysticksForAction(joystick);
        if (joystick < NUMBER_OF_JOYSTICKS && JoystickDeviceOpen(joystick))
            FUZZ_REQUIRE(code == CONTROL_CODE_NONE || code <= input->JoystickNumberOfAxes[joystick] ||
                         code - CONTROL_CODE_FIRST_BUTTON < input->JoystickNumberOfButtons[joystick]);
        else
            FUZZ_REQUIRE(code == CONTROL_CODE_NONE);
    }
    FUZZ_REQUIRE(JoystickDoubleOutOfRangeQueries() == before);

    for (int source = 0; source < NUMBER_OF_INPUT_SOURCES; source++)
    {
        FUZZ_REQUIRE(IsDirection(screens->Command.Direction[source]));
        FUZZ_REQUIRE(screens->Command.ButtonOne[source] <= 1 && screens->Command.ButtonTwo[source] <= 1);
    }
    delete input;
    input = nullptr;
    return 0;
}
