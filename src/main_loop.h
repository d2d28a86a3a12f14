#ifndef WOBBLER_MAIN_LOOP_H
#define WOBBLER_MAIN_LOOP_H

struct FrameInput;

// The life of the program: main starts the game up, runs frames until it is
// asked to quit, and shuts it down; the tests and the bench do the same.
// Every object is created and loaded in order; a failed essential step sets
// FatalError. A test of one part of the game may leave out the steps between
// the creations that it does not need; every object is created either way.
enum StartUpSteps
{
    CREATE_OBJECTS = 0,
    OPEN_WINDOW = 1,
    LOAD_PICTURES = 2,          // fonts, sprites, texts and the GUI; needs the window
    OPEN_SOUND = 4,             // the mixer with the music and effects
    READ_AND_SAVE_OPTIONS = 8,  // the options file, read at start-up and saved at shutdown
    WHOLE_START_UP = OPEN_WINDOW | LOAD_PICTURES | OPEN_SOUND | READ_AND_SAVE_OPTIONS,
};
void StartUpGame(int argc, char** argv, int steps = WHOLE_START_UP);
// The steps of a frame that a stand-in player may leave out: it gives the
// frame its input itself, and need not wait out the frame period nor show
// the picture.
enum FrameSteps
{
    CORE_FRAME = 0,  // screen, music, fade and debug overlay only
    POLL_INPUT = 1,  // the devices read, or the demo played
    WAIT_FOR_FRAME_PERIOD = 2,
    PRESENT_SCREEN_BUFFER = 4,
    WHOLE_FRAME = POLL_INPUT | WAIT_FOR_FRAME_PERIOD | PRESENT_SCREEN_BUFFER,
};
// True until the game is asked to quit or cannot go on.
bool GameGoesOn();
// One pass of the main loop; true when it presented the screen buffer.
bool RunMainLoopFrame(int steps = WHOLE_FRAME);
// One pass with the input given, as a demo gives it.
bool RunMainLoopFrameWith(const FrameInput& frame, int steps = WHOLE_FRAME & ~POLL_INPUT);
// A window of the size the frame's input asks for, before the frame runs:
// the game stops when it cannot have it.
void SizeWindowAsAsked(const FrameInput& frame);
// Saves the options and high scores and deletes every object in order; the
// steps are those the start-up took. Returns the exit status: 0 unless a
// demo was refused or played out of step.
int ShutDownGame(int steps = WHOLE_START_UP);

#endif
