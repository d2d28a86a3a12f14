// Any demo text, read as a playback reads it: the reader refuses a damaged
// one with its problem, never hands the game a frame out of range, and what
// it takes is written again as a recording writes it and read back the same,
// header and runs alike.
#include <stdint.h>

#include <string>

#include "checks.h"
#include "demos/demos.h"
#include "fuzz_support.h"
#include "logic/logic.h"

namespace {

const int MOST_ITEMS = 10000;
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

// What the game receives indexes its tables.
void CheckInRange(const FrameInput& frame)
{
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        FUZZ_REQUIRE(IsDirection(frame.Direction[source]));
        FUZZ_REQUIRE(frame.ButtonOne[source] <= 1 && frame.ButtonTwo[source] <= 1);
    }
    FUZZ_REQUIRE(frame.Key == 0 || (frame.Key > ' ' && frame.Key < 127));
    FUZZ_REQUIRE(frame.KeyBeforeEscape == 0 || (frame.KeyBeforeEscape > ' ' && frame.KeyBeforeEscape < 127));
    FUZZ_REQUIRE(frame.Focus <= FOCUS_ALL_BITS && frame.Escape <= 1);
    FUZZ_REQUIRE(frame.Click[0] <= 1 && frame.Click[1] <= 1);
}

bool SameHeader(const DemoHeader& one, const DemoHeader& other)
{
    bool same = one.Seed == other.Seed && one.Boards == other.Boards && one.OptionsFound == other.OptionsFound &&
                one.OptionsCount == other.OptionsCount;
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        const JoystickShape& a = one.Joysticks[joystick];
        const JoystickShape& b = other.Joysticks[joystick];
        same = same && one.Plugged[joystick] == other.Plugged[joystick] &&
               (!one.Plugged[joystick] || (a.Axes == b.Axes && a.Buttons == b.Buttons && a.Hats == b.Hats));
    }
    for (int line = 0; same && line < one.OptionsCount; line++) same = strcmp(one.Options[line], other.Options[line]) == 0;
    return same;
}

// The first frame of a run as its line holds it, events and held controls.
bool SameFrame(const FrameInput& one, const FrameInput& other)
{
    return !HasEvents(one) == !HasEvents(other) && SameHeldInput(one, other) && one.Key == other.Key &&
           one.Escape == other.Escape && one.KeyBeforeEscape == other.KeyBeforeEscape && one.Focus == other.Focus &&
           one.ResizeWidth == other.ResizeWidth && one.ResizeHeight == other.ResizeHeight &&
           one.Click[0] == other.Click[0] && one.Click[1] == other.Click[1] &&
           (!(one.Click[0] || one.Click[1]) || (one.MouseX == other.MouseX && one.MouseY == other.MouseY));
}

DemoHeader header;
DemoHeader headerAgain;
char headerText[DEMO_HEADER_SIZE];

void CheckHeaderWrittenAgain()
{
    FUZZ_REQUIRE(WriteDemoHeader(header, headerText, sizeof(headerText)));
    DemoText again = {headerText, strlen(headerText), 0, 0};
    char problem[DEMO_PROBLEM_SIZE];
    FUZZ_REQUIRE(ReadDemoHeader(again, headerAgain, problem, sizeof(problem)));
    FUZZ_REQUIRE(SameHeader(header, headerAgain));
}

void CheckRunWrittenAgain(uint32_t frames, const FrameInput& run, const FrameInput& before)
{
    char line[DEMO_LINE_SIZE + 1];
    WriteDemoRun(frames, run, before, line, DEMO_LINE_SIZE);
    const size_t length = strlen(line);
    line[length] = '\n';
    line[length + 1] = '\0';
    DemoText again = {line, strlen(line), 0, 0};
    FrameInput readAgain = before;
    DemoItem item;
    char problem[DEMO_PROBLEM_SIZE];
    FUZZ_REQUIRE(ReadDemoItem(again, readAgain, item, problem, sizeof(problem)) == DEMO_RUN);
    FUZZ_REQUIRE(item.Frames == frames && SameFrame(run, readAgain));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterFuzzFolder("demo");
    snprintf(boardsDigest, sizeof(boardsDigest), "%016llx", (unsigned long long)DigestOfBoardImages());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string bytesRead = WithTheBoardsDigest(bytes, size);
    DemoText text = {bytesRead.data(), bytesRead.size(), 0, 0};
    char problem[DEMO_PROBLEM_SIZE];
    if (!ReadDemoHeader(text, header, problem, sizeof(problem)))
    {
        FUZZ_REQUIRE(strncmp(problem, "is ", 3) == 0 || strncmp(problem, "was ", 4) == 0);
        return 0;
    }
    CheckHeaderWrittenAgain();

    FrameInput run = {};
    for (int items = 0; items < MOST_ITEMS; items++)
    {
        const FrameInput before = run;
        DemoItem item;
        const int kind = ReadDemoItem(text, run, item, problem, sizeof(problem));
        if (kind == DEMO_DAMAGED) FUZZ_REQUIRE(strncmp(problem, "is damaged at line ", 19) == 0);
        if (kind == DEMO_DAMAGED || kind == DEMO_NO_MORE || kind == DEMO_END) break;
        if (kind != DEMO_RUN) continue;
        FUZZ_REQUIRE(item.Frames > 0);
        CheckInRange(run);
        CheckRunWrittenAgain(item.Frames, run, before);
    }
    FUZZ_REQUIRE(BrokenRules == 0);
    return 0;
}
