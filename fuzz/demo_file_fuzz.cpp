// Any demo file, played as --playdemo plays it: the reader refuses or stops
// a damaged one with an ERROR line, never hands the game a frame out of
// range, and its options reach the game as the start-up passes them on. A
// header it takes is written again as a recording writes it and read back
// the same.
#include <stdint.h>

#include <string>

#include <SDL.h>

#include "audio/audio.h"
#include "data/data.h"
#include "fuzz_support.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "rules.h"
#include "screens/screens.h"
#include "settings/settings.h"
#include "visuals/visuals.h"

namespace {

const int MOST_FRAMES = 10000;  // a run line may ask for four billion
const char DEMO_PATH[] = "fuzz.demo";
const char WRITTEN_AGAIN_PATH[] = "again.demo";
const char HEX_DIGITS[] = "0123456789abcdef";
const size_t DIGEST_DIGITS = 16;

// The boards line must hold the digest of the boards here (the folder has
// none, which is quick to digest); the fuzzer cannot guess 64 bits, so a
// boards line of 16 hex digits gets the right ones. Any other is left as
// the fuzzer made it, and the header's refusals stay reachable.
char boardsDigest[DIGEST_DIGITS + 1];

std::string WithTheBoardsDigest(const uint8_t* bytes, size_t size)
{
    std::string text((const char*)bytes, size);
    const size_t line = text.find("\nboards ");
    if (line == std::string::npos) return text;
    const size_t digits = line + strlen("\nboards ");
    if (digits + DIGEST_DIGITS <= size && text.find_first_not_of(HEX_DIGITS, digits) >= digits + DIGEST_DIGITS)
        text.replace(digits, DIGEST_DIGITS, boardsDigest);
    return text;
}

bool IsDirection(uint8_t value)
{
    return value == CENTER || value == UP || value == RIGHT || value == DOWN || value == LEFT;
}

// What the poll receives indexes the game's tables.
void CheckInRange(const FrameInput& frame)
{
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        FUZZ_REQUIRE(IsDirection(frame.Direction[source]));
        FUZZ_REQUIRE(frame.ButtonOne[source] <= 1 && frame.ButtonTwo[source] <= 1);
    }
    FUZZ_REQUIRE(frame.Key == 0 || (frame.Key > ' ' && frame.Key < 127));
    FUZZ_REQUIRE(frame.Focus <= FOCUS_LOST && frame.Escape <= 1);
    FUZZ_REQUIRE(frame.Click[0] <= 1 && frame.Click[1] <= 1);
}

struct Header
{
    uint32_t seed;
    uint8_t plugged[NUMBER_OF_JOYSTICKS];
    int32_t controls[3][NUMBER_OF_JOYSTICKS];
    uint8_t optionsFound;
    int optionsCount;
    char options[OPTIONS_FILE_LINES][OPTIONS_LINE_SIZE];
};

Header Take()
{
    Header header;
    memset(&header, 0, sizeof(header));
    header.seed = input->Demo.Seed;
    memcpy(header.plugged, input->JoystickPlugged, sizeof(header.plugged));
    memcpy(header.controls[0], input->JoystickNumberOfAxes, sizeof(header.controls[0]));
    memcpy(header.controls[1], input->JoystickNumberOfButtons, sizeof(header.controls[1]));
    memcpy(header.controls[2], input->JoystickNumberOfHats, sizeof(header.controls[2]));
    header.optionsFound = data->OptionsFileFound;
    header.optionsCount = data->OptionsFileLineCount;
    for (int line = 0; line < header.optionsCount; line++)
        snprintf(header.options[line], OPTIONS_LINE_SIZE, "%s", data->OptionsFileLines[line]);
    return header;
}

void StartSession(const char* path)
{
    input = new Input();
    data = new Data();
    game->QuitGame = 0;
    input->StartPlayback(path, false);
}

void EndSession()
{
    input->EndDemo();
    delete data;
    data = nullptr;
    delete input;
    input = nullptr;
}

void CheckWrittenAgain()
{
    const Header read = Take();
    input->Demo.RecordFile = fopen(WRITTEN_AGAIN_PATH, "w");
    FUZZ_REQUIRE(input->Demo.RecordFile && input->WriteDemoHeader());
    fclose(input->Demo.RecordFile);
    input->Demo.RecordFile = nullptr;
    EndSession();

    StartSession(WRITTEN_AGAIN_PATH);
    FUZZ_REQUIRE(!input->Demo.PlaybackFailed);
    const Header readAgain = Take();
    FUZZ_REQUIRE(memcmp(&read, &readAgain, sizeof(read)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    EnterFuzzFolder("demo");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) abort();
    snprintf(boardsDigest, sizeof(boardsDigest), "%016llx", (unsigned long long)DigestOfBoardImages());
    game = new Game();
    logic = new Logic();
    visuals = new Visuals();
    screens = new Screens();
    interface = new Interface();
    settings = new Settings(*argc, *argv);
    audio = new Audio();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string text = WithTheBoardsDigest(bytes, size);
    WriteFuzzFile(DEMO_PATH, (const uint8_t*)text.data(), text.size());
    // A session of its own: the demo's joysticks and options are the input's.
    StartSession(DEMO_PATH);
    const bool headerTaken = input->Demo.Playing;
    data->ClearHighScores();
    data->LoadHighScoresAndOptions();

    for (int frame = 0; frame < MOST_FRAMES && !game->QuitGame; frame++)
    {
        input->BeginDemoFrame();
        // In an input pause the poll reads nothing; the events wait for the next.
        if (frame % 4 != 3) CheckInRange(input->TakePlayedFrame());
        input->EndDemoFrame();
    }
    if (headerTaken) CheckWrittenAgain();
    EndSession();
    FUZZ_REQUIRE(BrokenRules == 0);
    return 0;
}
