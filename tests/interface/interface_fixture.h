#ifndef WOBBLER_INTERFACE_FIXTURE_H
#define WOBBLER_INTERFACE_FIXTURE_H

#include <string>

#include "interface/interface.h"
#include "support/key_events.h"
#include "support/window_fixture.h"

// The colour of every GUI picture of the test data folder.
const uint32_t BUTTON_RED = 0xC82828;

// A real window, reading its GUI images from a data folder of our own test
// pictures.
class InterfaceTest : public WindowTest
{
protected:
    void SetUp() override;

    static int CountTextures();
    static int CountOpenFiles();

    // One frame of menu handling with the input given: a key, a direction or a click.
    static void ProcessButtonsWith(const FrameInput& frame, uint8_t typingKeys = EVERY_KEY_CONFIRMS);
};

#endif
