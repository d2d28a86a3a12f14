#include "support/joystick_state.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <sstream>

#include "support/test_environment.h"

JoystickState::JoystickState(const std::string& directory)
    : path(directory + "/joystick-state"), joystickCount(0), axes(0), buttons(0), hats(0)
{
    Centre();
    setenv("WOBBLER_JOYSTICK_STATE", path.c_str(), 1);
    Write();
}

void JoystickState::Plug(int joysticks, int axesEach, int buttonsEach, int hatsEach)
{
    joystickCount = joysticks;
    axes = axesEach;
    buttons = buttonsEach;
    hats = hatsEach;
    Write();
}

void JoystickState::SetAxis(int joystick, int axisNumber, int value)
{
    axis[joystick][axisNumber] = value;
    Write();
}

void JoystickState::SetButton(int joystick, int buttonNumber, bool down)
{
    button[joystick][buttonNumber] = down;
    Write();
}

void JoystickState::SetDPad(int joystick, int hatBits)
{
    dpad[joystick] = hatBits;
    Write();
}

void JoystickState::Centre()
{
    for (int joystick = 0; joystick < 2; joystick++)
    {
        for (int& value : axis[joystick]) value = 0;
        for (bool& down : button[joystick]) down = false;
        dpad[joystick] = 0;
    }
}

void JoystickState::Write() const
{
    std::ostringstream text;
    text << "joysticks " << joystickCount << "\n";
    for (int joystick = 0; joystick < 2; joystick++)
    {
        text << "joystick " << joystick << " axes " << axes << " buttons " << buttons << " hats " << hats << "\n";
        text << "hat " << joystick << " 0 " << dpad[joystick] << "\n";
        for (int number = 0; number < MOST_AXES; number++)
            text << "axis " << joystick << " " << number << " " << axis[joystick][number] << "\n";
        for (int number = 0; number < MOST_BUTTONS; number++)
            text << "button " << joystick << " " << number << " " << (button[joystick][number] ? 1 : 0) << "\n";
    }
    const std::string temporary = path + ".new";
    WriteWholeFile(temporary, text.str());
    rename(temporary.c_str(), path.c_str());  // the game never reads half a file
}

std::vector<std::string> JoystickState::GameEnvironment() const
{
    // Whatever the test run preloads already (the checking build keeps Mesa loaded) stays.
    const char* const preloaded = getenv("LD_PRELOAD");
    const std::string before = preloaded && *preloaded ? std::string(preloaded) + " " : "";
    return {"LD_PRELOAD=" + before + JOYSTICK_DOUBLE, "WOBBLER_JOYSTICK_STATE=" + path};
}

bool JoystickDoubleLoaded()
{
    return dlsym(RTLD_DEFAULT, "JoystickDoubleOutOfRangeQueries") != nullptr;
}

int JoystickDoubleOutOfRangeQueries()
{
    typedef int (*Counter)();
    const Counter counter = reinterpret_cast<Counter>(dlsym(RTLD_DEFAULT, "JoystickDoubleOutOfRangeQueries"));
    return counter ? counter() : -1;
}
