#ifndef WOBBLER_JOYSTICK_STATE_H
#define WOBBLER_JOYSTICK_STATE_H

#include <string>
#include <vector>

// The sticks that the preloaded joystick double reports. Write() puts them
// where the double reads them (at every SDL_JoystickUpdate).
class JoystickState
{
public:
    // The state file lives in the directory; the constructor points this
    // process' double at it and writes "no joysticks".
    explicit JoystickState(const std::string& directory);

    void Plug(int joysticks, int axes, int buttons, int hats = 0);
    void SetAxis(int joystick, int axis, int value);
    void SetButton(int joystick, int button, bool down);
    void SetDPad(int joystick, int hatBits);  // hat 0, SDL_HAT_* bits
    void Centre();  // every axis and D-pad at 0 and every button up
    void Write() const;

    // Environment entries that start the game with the double and this state.
    std::vector<std::string> GameEnvironment() const;

    static const int MOST_AXES = 16;
    static const int MOST_BUTTONS = 32;

    std::string path;
    int joystickCount;
    int axes;
    int buttons;
    int hats;
    int dpad[2];
    int axis[2][MOST_AXES];
    bool button[2][MOST_BUTTONS];
};

// True when the double is preloaded into this process.
bool JoystickDoubleLoaded();
// How often the game asked the double for an axis or button that does not exist.
int JoystickDoubleOutOfRangeQueries();

#endif
