// Stands in for SDL's joystick functions when preloaded: these machines have
// no joystick. The sticks are read from the text file named by
// WOBBLER_JOYSTICK_STATE, again at every SDL_JoystickUpdate, so a test moves
// them by rewriting the file. Lines of the file:
//   joysticks N
//   joystick J axes A buttons B [hats H]
//   axis J I VALUE
//   button J I STATE
//   hat J I STATE (SDL_HAT_* bits)
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <SDL.h>

namespace {

const int MOST_JOYSTICKS = 4;
const int MOST_AXES = 16;
const int MOST_BUTTONS = 32;
const int MOST_HATS = 4;

struct FakeJoystick
{
    int axes;
    int buttons;
    int hats;
    Sint16 axis[MOST_AXES];
    Uint8 button[MOST_BUTTONS];
    Uint8 hat[MOST_HATS];
    bool opened;
};

int joystickCount = 0;
FakeJoystick joysticks[MOST_JOYSTICKS];
// Queries SDL would refuse: a negative axis, a button beyond the joystick.
int outOfRangeQueries = 0;

bool Valid(int index, int limit)
{
    return index >= 0 && index < limit;
}

void ReadState()
{
    joystickCount = 0;
    for (FakeJoystick& joystick : joysticks)
    {
        joystick.axes = 0;
        joystick.buttons = 0;
        joystick.hats = 0;
        memset(joystick.axis, 0, sizeof(joystick.axis));
        memset(joystick.button, 0, sizeof(joystick.button));
        memset(joystick.hat, 0, sizeof(joystick.hat));
    }
    const char* path = getenv("WOBBLER_JOYSTICK_STATE");
    FILE* file = path ? fopen(path, "r") : nullptr;
    if (!file) return;

    char line[256];
    while (fgets(line, sizeof(line), file))
    {
        int j = 0, first = 0, second = 0, third = 0;
        if (sscanf(line, "joysticks %d", &first) == 1) joystickCount = first < MOST_JOYSTICKS ? first : MOST_JOYSTICKS;
        const int counts = sscanf(line, "joystick %d axes %d buttons %d hats %d", &j, &first, &second, &third);
        if (counts >= 3 && Valid(j, MOST_JOYSTICKS))
        {
            joysticks[j].axes = first;
            joysticks[j].buttons = second;
            joysticks[j].hats = counts == 4 ? third : 0;
        }
        if (sscanf(line, "axis %d %d %d", &j, &first, &second) == 3 && Valid(j, MOST_JOYSTICKS) &&
            Valid(first, MOST_AXES))
            joysticks[j].axis[first] = (Sint16)second;
        if (sscanf(line, "button %d %d %d", &j, &first, &second) == 3 && Valid(j, MOST_JOYSTICKS) &&
            Valid(first, MOST_BUTTONS))
            joysticks[j].button[first] = (Uint8)second;
        if (sscanf(line, "hat %d %d %d", &j, &first, &second) == 3 && Valid(j, MOST_JOYSTICKS) && Valid(first, MOST_HATS))
            joysticks[j].hat[first] = (Uint8)second;
    }
    fclose(file);
}

FakeJoystick* Of(SDL_Joystick* handle)
{
    FakeJoystick* joystick = reinterpret_cast<FakeJoystick*>(handle);
    if (joystick < joysticks || joystick >= joysticks + MOST_JOYSTICKS) return nullptr;
    return joystick;
}

}  // namespace

extern "C" {

int SDL_NumJoysticks(void)
{
    ReadState();
    return joystickCount;
}

const char* SDL_JoystickName(int index)
{
    return Valid(index, joystickCount) ? "Test Double Gamepad" : nullptr;
}

SDL_Joystick* SDL_JoystickOpen(int index)
{
    ReadState();
    if (!Valid(index, joystickCount)) return nullptr;
    joysticks[index].opened = true;
    return reinterpret_cast<SDL_Joystick*>(&joysticks[index]);
}

int SDL_JoystickOpened(int index)
{
    return Valid(index, MOST_JOYSTICKS) && joysticks[index].opened ? 1 : 0;
}

int SDL_JoystickNumAxes(SDL_Joystick* handle)
{
    FakeJoystick* joystick = Of(handle);
    return joystick ? joystick->axes : -1;
}

int SDL_JoystickNumButtons(SDL_Joystick* handle)
{
    FakeJoystick* joystick = Of(handle);
    return joystick ? joystick->buttons : -1;
}

int SDL_JoystickNumHats(SDL_Joystick* handle)
{
    FakeJoystick* joystick = Of(handle);
    return joystick ? joystick->hats : -1;
}

void SDL_JoystickUpdate(void)
{
    ReadState();
}

Sint16 SDL_JoystickGetAxis(SDL_Joystick* handle, int axis)
{
    FakeJoystick* joystick = Of(handle);
    if (!joystick || !Valid(axis, joystick->axes) || !Valid(axis, MOST_AXES))
    {
        outOfRangeQueries++;
        return 0;
    }
    return joystick->axis[axis];
}

Uint8 SDL_JoystickGetButton(SDL_Joystick* handle, int button)
{
    FakeJoystick* joystick = Of(handle);
    if (!joystick || !Valid(button, joystick->buttons) || !Valid(button, MOST_BUTTONS))
    {
        outOfRangeQueries++;
        return 0;
    }
    return joystick->button[button];
}

Uint8 SDL_JoystickGetHat(SDL_Joystick* handle, int hat)
{
    FakeJoystick* joystick = Of(handle);
    if (!joystick || !Valid(hat, joystick->hats) || !Valid(hat, MOST_HATS))
    {
        outOfRangeQueries++;
        return SDL_HAT_CENTERED;
    }
    return joystick->hat[hat];
}

void SDL_JoystickClose(SDL_Joystick* handle)
{
    FakeJoystick* joystick = Of(handle);
    if (joystick) joystick->opened = false;
}

// Lets a test see whether the game ever asked for a control that does not exist.
int JoystickDoubleOutOfRangeQueries(void)
{
    return outOfRangeQueries;
}

}  // extern "C"
