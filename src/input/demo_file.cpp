// The demo's text: a header with what the session started from, then one
// line per run of frames whose input stayed the same, with a digest of the
// game's state now and then. For example:
//
//   wobblersaga demo 1
//   version 5.0.08
//   seed 1765432100
//   boards 8c3d5f0e2b6a4d17
//   joystick 1 axes=2 buttons=4 hats=1
//   options 138
//   option 32
//   ...
//   frames
//   40
//   1 key=_
//   12 arrows=R
//   state 64 01f2e3d4c5b6a798
//   ...
//   end 2400 0123456789abcdef
//
// A run line is the number of frames, then what changed at its first frame:
// the held controls (arrows, stick1, stick2: a direction C, U, R, D or L and
// the buttons 1 and 2 held) until they change again, and the events of that
// frame alone (key=, escape, focus=changed or lost, resize=WxH, click=X,Y,
// middle=X,Y, query=N). Blank lines and lines from '#' are left out, so that a
// demo can be written by hand; one without state lines is played unchecked.
#include "input/input.h"

#include <errno.h>
#include <stdarg.h>
#include <inttypes.h>
#include <stdlib.h>
#include <string.h>

#include "data/data.h"
#include "logic/logic.h"
#include "settings/settings.h"

static const char DEMO_FORMAT_LINE[] = "wobblersaga demo 1";
// Longer lines than this are damaged; the longest valid one is far shorter.
const int DEMO_LINE_SIZE = 512;
const uint32_t LARGEST_RESIZE = 65535;
const int32_t FARTHEST_CLICK = 1000000;  // virtual units off the screen, in a window of one pixel
const int32_t MOST_JOYSTICK_CONTROLS = 1000;

// A direction's letter, indexed by its value; 0 where there is none.
static const char DIRECTION_LETTER[NUMBER_OF_DIRECTION_VALUES] = {'C', 'U', 0, 'R', 0, 'D', 0, 'L'};
static const char* const HELD_NAMES[NUMBER_OF_READ_SOURCES] = {"arrows", "stick1", "stick2"};
static const char* const CLICK_NAMES[NUMBER_OF_MOUSE_BUTTONS] = {"click", "middle"};
static const char* const FOCUS_NAMES[3] = {"", "changed", "lost"};

// Appends to a line without running past its end.
static void Append(char* line, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
static void Append(char* line, size_t size, const char* format, ...)
{
    const size_t length = strlen(line);
    if (length >= size) return;
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(line + length, size - length, format, arguments);
    va_end(arguments);
}

static bool HeldDiffers(const FrameInput& one, const FrameInput& other, int source)
{
    return one.Direction[source] != other.Direction[source] || one.ButtonOne[source] != other.ButtonOne[source] ||
           one.ButtonTwo[source] != other.ButtonTwo[source];
}

bool SameHeldInput(const FrameInput& one, const FrameInput& other)
{
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        if (HeldDiffers(one, other, source)) return false;
    }
    return true;
}

bool HasEvents(const FrameInput& input)
{
    return input.Key != 0 || input.Escape || input.Focus != FOCUS_UNCHANGED || input.ResizeWidth != 0 ||
           input.Click[0] || input.Click[1] || input.QueryAnswer != 0;
}

// Backslashes, control bytes, bytes above ASCII and a last space are
// written as \xHH, so that a line of the options file survives any editor.
static void AppendEscaped(char* line, size_t size, const char* text)
{
    for (const unsigned char* at = (const unsigned char*)text; *at; at++)
    {
        const bool last = at[1] == '\0';
        if (*at == '\\' || *at < ' ' || *at >= 127 || (*at == ' ' && last))
            Append(line, size, "\\x%02x", *at);
        else
            Append(line, size, "%c", *at);
    }
}

static bool WriteLine(FILE* file, const char* line)
{
    return fputs(line, file) >= 0 && fputc('\n', file) != EOF && !ferror(file);
}

bool Input::WriteDemoHeader()
{
    FILE* const file = Demo.RecordFile;
    char line[DEMO_LINE_SIZE];
    bool written = WriteLine(file, DEMO_FORMAT_LINE);
    snprintf(line, sizeof(line), "version %s", GAME_VERSION);
    written = written && WriteLine(file, line);
    snprintf(line, sizeof(line), "seed %" PRIu32, Demo.Seed);
    written = written && WriteLine(file, line);
    snprintf(line, sizeof(line), "boards %016" PRIx64, DigestOfBoardImages());
    written = written && WriteLine(file, line);
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        if (!JoystickPlugged[joystick]) continue;
        snprintf(line, sizeof(line), "joystick %d axes=%d buttons=%d hats=%d", joystick + 1,
                 (int)JoystickNumberOfAxes[joystick], (int)JoystickNumberOfButtons[joystick],
                 (int)JoystickNumberOfHats[joystick]);
        written = written && WriteLine(file, line);
    }
    if (data->OptionsFileFound)
        snprintf(line, sizeof(line), "options %d", (int)data->OptionsFileLineCount);
    else
        snprintf(line, sizeof(line), "options none");
    written = written && WriteLine(file, line);
    for (int index = 0; data->OptionsFileFound && index < data->OptionsFileLineCount; index++)
    {
        snprintf(line, sizeof(line), "option ");
        AppendEscaped(line, sizeof(line), data->OptionsFileLines[index]);
        written = written && WriteLine(file, line);
    }
    return written && WriteLine(file, "frames");
}

// The held controls are written where they differ from the run before.
bool Input::WriteDemoRun(const FrameInput& run, const FrameInput& before, uint32_t frames)
{
    char line[DEMO_LINE_SIZE];
    snprintf(line, sizeof(line), "%" PRIu32, frames);
    if (run.Key != 0) Append(line, sizeof(line), " key=%c", run.Key);
    if (run.Escape) Append(line, sizeof(line), " escape");
    if (run.Focus != FOCUS_UNCHANGED && run.Focus <= FOCUS_LOST) Append(line, sizeof(line), " focus=%s", FOCUS_NAMES[run.Focus]);
    if (run.ResizeWidth != 0) Append(line, sizeof(line), " resize=%ux%u", run.ResizeWidth, run.ResizeHeight);
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        if (!HeldDiffers(run, before, source)) continue;
        const uint8_t direction = run.Direction[source];
        const char letter = direction < NUMBER_OF_DIRECTION_VALUES ? DIRECTION_LETTER[direction] : 0;
        Append(line, sizeof(line), " %s=%c%s%s", HELD_NAMES[source], letter ? letter : 'C',
               run.ButtonOne[source] ? "1" : "", run.ButtonTwo[source] ? "2" : "");
    }
    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++)
    {
        if (run.Click[button]) Append(line, sizeof(line), " %s=%d,%d", CLICK_NAMES[button], (int)run.MouseX, (int)run.MouseY);
    }
    if (run.QueryAnswer != 0) Append(line, sizeof(line), " query=%u", run.QueryAnswer);
    return WriteLine(Demo.RecordFile, line);
}

// "state" after a frame now and then, "end" after the last.
bool Input::WriteDemoCheck(const char* word, uint32_t frames, uint64_t digest)
{
    char line[DEMO_LINE_SIZE];
    snprintf(line, sizeof(line), "%s %" PRIu32 " %016" PRIx64, word, frames, digest);
    return WriteLine(Demo.RecordFile, line);
}

// What a read of one line found.
enum
{
    LINE_READ,
    LINE_AT_END,   // the end of the file, or a last line without its line break (a write cut short)
    LINE_TOO_LONG
};

// The next line that is neither blank nor a comment, without its line break.
static int ReadMeaningfulLine(FILE* file, char* text, int size, uint32_t& lineNumber)
{
    while (fgets(text, size, file))
    {
        lineNumber++;
        const size_t length = strlen(text);
        if (length == 0 || text[length - 1] != '\n') return feof(file) ? LINE_AT_END : LINE_TOO_LONG;
        text[length - 1] = '\0';
        if (length >= 2 && text[length - 2] == '\r') text[length - 2] = '\0';
        if (text[0] != '\0' && text[0] != '#') return LINE_READ;
    }
    return LINE_AT_END;
}

// A whole unsigned decimal number from minimum to maximum, nothing after it
// but the end character.
static bool ReadNumber(const char* text, char end, uint64_t minimum, uint64_t maximum, uint64_t& value,
                       const char** after = nullptr)
{
    if (*text < '0' || *text > '9') return false;
    char* stop = nullptr;
    errno = 0;
    const unsigned long long number = strtoull(text, &stop, 10);
    if (errno == ERANGE || *stop != end || number < minimum || number > maximum) return false;
    value = number;
    if (after) *after = stop;
    return true;
}

static bool ReadSignedNumber(const char* text, char end, int32_t limit, int32_t& value, const char** after)
{
    const bool negative = *text == '-';
    uint64_t magnitude = 0;
    if (!ReadNumber(text + (negative ? 1 : 0), end, 0, (uint64_t)limit, magnitude, after)) return false;
    value = negative ? -(int32_t)magnitude : (int32_t)magnitude;
    return true;
}

static bool ReadDigest(const char* text, uint64_t& digest)
{
    const size_t length = strlen(text);
    if (length == 0 || length > 16 || strspn(text, "0123456789abcdef") != length) return false;
    digest = strtoull(text, nullptr, 16);
    return true;
}

// A held control: a direction letter and the buttons held with it.
static bool ReadHeld(const char* value, uint8_t& direction, uint8_t& buttonOne, uint8_t& buttonTwo)
{
    const char* const letter =
        value[0] ? (const char*)memchr(DIRECTION_LETTER, value[0], NUMBER_OF_DIRECTION_VALUES) : nullptr;
    if (!letter) return false;
    direction = (uint8_t)(letter - DIRECTION_LETTER);
    const char* buttons = value + 1;
    buttonOne = *buttons == '1';
    if (buttonOne) buttons++;
    buttonTwo = *buttons == '2';
    if (buttonTwo) buttons++;
    return *buttons == '\0';
}

static bool ReadPosition(const char* value, int32_t& x, int32_t& y)
{
    const char* after = nullptr;
    return ReadSignedNumber(value, ',', FARTHEST_CLICK, x, &after) &&
           ReadSignedNumber(after + 1, '\0', FARTHEST_CLICK, y, &after);
}

// One token of a run line into its first frame's input; false when it is not one.
static bool ReadRunToken(char* token, FrameInput& run)
{
    char* const equals = strchr(token, '=');
    const char* const value = equals ? equals + 1 : "";
    if (equals) *equals = '\0';
    uint64_t number = 0;

    if (strcmp(token, "escape") == 0)
    {
        run.Escape = 1;
        return !equals;
    }
    if (strcmp(token, "key") == 0)
    {
        run.Key = value[0];
        return value[0] > ' ' && value[0] < 127 && value[1] == '\0';
    }
    if (strcmp(token, "focus") == 0)
    {
        run.Focus = strcmp(value, "lost") == 0 ? FOCUS_LOST : FOCUS_CHANGED;
        return strcmp(value, "lost") == 0 || strcmp(value, "changed") == 0;
    }
    if (strcmp(token, "resize") == 0)
    {
        const char* after = nullptr;
        if (!ReadNumber(value, 'x', 1, LARGEST_RESIZE, number, &after)) return false;
        run.ResizeWidth = (uint16_t)number;
        if (!ReadNumber(after + 1, '\0', 1, LARGEST_RESIZE, number)) return false;
        run.ResizeHeight = (uint16_t)number;
        return true;
    }
    if (strcmp(token, "query") == 0)
    {
        if (!ReadNumber(value, '\0', 1, UINT8_MAX, number)) return false;
        run.QueryAnswer = (uint8_t)number;
        return true;
    }
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        if (strcmp(token, HELD_NAMES[source]) == 0)
            return ReadHeld(value, run.Direction[source], run.ButtonOne[source], run.ButtonTwo[source]);
    }
    for (int button = 0; button < NUMBER_OF_MOUSE_BUTTONS; button++)
    {
        if (strcmp(token, CLICK_NAMES[button]) != 0) continue;
        run.Click[button] = 1;
        run.PointerKnown = 1;
        return ReadPosition(value, run.MouseX, run.MouseY);
    }
    return false;
}

// A run line: the held controls go on from the run before; the events are
// this run's own.
static bool ReadRunLine(char* text, FrameInput& run, uint32_t& frames)
{
    char* token = strtok(text, " ");
    uint64_t count = 0;
    if (!token || !ReadNumber(token, '\0', 1, UINT32_MAX, count)) return false;
    frames = (uint32_t)count;

    FrameInput next = {};
    for (int source = 0; source < NUMBER_OF_READ_SOURCES; source++)
    {
        next.Direction[source] = run.Direction[source];
        next.ButtonOne[source] = run.ButtonOne[source];
        next.ButtonTwo[source] = run.ButtonTwo[source];
    }
    while ((token = strtok(nullptr, " ")))
    {
        if (!ReadRunToken(token, next)) return false;
    }
    run = next;
    return true;
}

// "state F DIGEST", "end F DIGEST", or "end" alone, unchecked, in a demo written by hand.
static bool ReadCheckLine(char* text, DemoItem& item)
{
    char* const word = strtok(text, " ");
    char* const frames = strtok(nullptr, " ");
    char* const digest = strtok(nullptr, " ");
    if (strtok(nullptr, " ")) return false;
    // The line was taken for a check by its first letters; "endless" is not one.
    if (strcmp(word, "state") != 0 && strcmp(word, "end") != 0) return false;
    item.HasDigest = frames != nullptr;
    if (!frames) return strcmp(word, "end") == 0;
    uint64_t number = 0;
    if (!digest || !ReadNumber(frames, '\0', 0, UINT32_MAX, number) || !ReadDigest(digest, item.Digest)) return false;
    item.Frames = (uint32_t)number;
    return true;
}

int Input::ReadDemoItem(DemoItem& item, char* problem, int size)
{
    char text[DEMO_LINE_SIZE];
    item = DemoItem{};
    const int read = ReadMeaningfulLine(Demo.PlaybackFile, text, sizeof(text), Demo.PlaybackLine);
    if (read == LINE_AT_END) return DEMO_NO_MORE;
    if (read == LINE_TOO_LONG)
    {
        snprintf(problem, size, "is damaged at line %" PRIu32 ": the line is too long", Demo.PlaybackLine);
        return DEMO_DAMAGED;
    }

    const bool check = strncmp(text, "state", 5) == 0 || strncmp(text, "end", 3) == 0;
    const int kind = check ? (text[0] == 's' ? DEMO_STATE : DEMO_END) : DEMO_RUN;
    char copy[DEMO_LINE_SIZE];
    snprintf(copy, sizeof(copy), "%s", text);
    const bool usable = check ? ReadCheckLine(text, item) && (kind == DEMO_END || item.HasDigest)
                              : ReadRunLine(text, Demo.PlayedRun, item.Frames);
    if (usable) return kind;
    snprintf(problem, size, "is damaged at line %" PRIu32 ": \"%.60s\"", Demo.PlaybackLine, copy);
    return DEMO_DAMAGED;
}

// Reads the header's next line into text; false, with the problem, when there is none.
static bool ReadHeaderLine(FILE* file, char* text, int size, uint32_t& lineNumber, char* problem, int problemSize)
{
    const int read = ReadMeaningfulLine(file, text, size, lineNumber);
    if (read == LINE_READ) return true;
    if (read == LINE_AT_END)
        snprintf(problem, problemSize, "is truncated: its header ends at line %" PRIu32, lineNumber);
    else
        snprintf(problem, problemSize, "is damaged at line %" PRIu32 ": the line is too long", lineNumber);
    return false;
}

// "\\xHH" back to its byte; false when the text is not one of ours.
static bool Unescape(const char* text, char* line, int size)
{
    int length = 0;
    for (const char* at = text; *at; at++)
    {
        if (length >= size - 1) return false;
        if (*at != '\\')
        {
            line[length++] = *at;
            continue;
        }
        if (at[1] != 'x') return false;
        char digits[3] = {at[2], at[2] ? at[3] : '\0', '\0'};
        if (strlen(digits) != 2 || strspn(digits, "0123456789abcdef") != 2) return false;
        const char byte = (char)strtoul(digits, nullptr, 16);
        if (byte == '\0') return false;
        line[length++] = byte;
        at += 3;
    }
    line[length] = '\0';
    return true;
}

// "joystick N axes=A buttons=B hats=H"
static bool ReadJoystickLine(const char* text, int& joystick, JoystickShape& shape)
{
    int parsedJoystick = 0;
    int axes = -1, buttons = -1, hats = -1;
    int consumed = 0;
    if (sscanf(text, "joystick %d axes=%d buttons=%d hats=%d%n", &parsedJoystick, &axes, &buttons, &hats,
               &consumed) != 4 || text[consumed] != '\0')
        return false;
    const bool inRange = parsedJoystick >= 1 && parsedJoystick <= NUMBER_OF_JOYSTICKS && axes >= 0 &&
                         axes <= MOST_JOYSTICK_CONTROLS && buttons >= 0 && buttons <= MOST_JOYSTICK_CONTROLS &&
                         hats >= 0 && hats <= MOST_JOYSTICK_CONTROLS;
    joystick = inRange ? parsedJoystick - 1 : 0;  // any number may stand there: INT_MIN - 1 would overflow
    shape = JoystickShape{axes, buttons, hats};
    return inRange;
}

// The options file's lines as the session found them, into data.
static bool ReadOptionsLines(FILE* file, const char* text, uint32_t& lineNumber, char* problem, int size)
{
    uint64_t count = 0;
    data->OptionsFileFound = strcmp(text, "options none") != 0;
    data->OptionsFileLineCount = 0;
    if (!data->OptionsFileFound) return true;
    if (strncmp(text, "options ", 8) != 0 || !ReadNumber(text + 8, '\0', 0, OPTIONS_FILE_LINES, count))
    {
        snprintf(problem, size, "is damaged at line %" PRIu32 ": no options line", lineNumber);
        return false;
    }
    char line[DEMO_LINE_SIZE];
    for (uint64_t index = 0; index < count; index++)
    {
        if (!ReadHeaderLine(file, line, sizeof(line), lineNumber, problem, size)) return false;
        char* const stored = data->OptionsFileLines[index];
        if (strncmp(line, "option ", 7) != 0 || !Unescape(line + 7, stored, OPTIONS_LINE_SIZE))
        {
            snprintf(problem, size, "is damaged at line %" PRIu32 ": not a line of the options file", lineNumber);
            return false;
        }
        data->OptionsFileLineCount++;
    }
    return true;
}

// Checks that the demo is one of this game's, of this version and over these
// boards, and takes the seed, the joysticks and the options it started from.
bool Input::ReadDemoHeader(char* problem, int size)
{
    FILE* const file = Demo.PlaybackFile;
    uint32_t& line = Demo.PlaybackLine;
    char text[DEMO_LINE_SIZE];
    if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    if (strcmp(text, DEMO_FORMAT_LINE) != 0)
    {
        snprintf(problem, size, "is not a demo of this game: its first line is not \"%s\"", DEMO_FORMAT_LINE);
        return false;
    }

    if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    if (strncmp(text, "version ", 8) != 0 || strcmp(text + 8, GAME_VERSION) != 0)
    {
        snprintf(problem, size, "was recorded by another version of the game (\"%.40s\"; this is version %s)", text,
                 GAME_VERSION);
        return false;
    }

    uint64_t number = 0;
    if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    if (strncmp(text, "seed ", 5) != 0 || !ReadNumber(text + 5, '\0', 0, UINT32_MAX, number))
    {
        snprintf(problem, size, "is damaged at line %" PRIu32 ": no seed", line);
        return false;
    }
    Demo.Seed = (uint32_t)number;

    uint64_t boards = 0;
    if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    if (strncmp(text, "boards ", 7) != 0 || !ReadDigest(text + 7, boards))
    {
        snprintf(problem, size, "is damaged at line %" PRIu32 ": no digest of the boards", line);
        return false;
    }
    if (boards != DigestOfBoardImages())
    {
        snprintf(problem, size, "was made over other boards than those in data/boards (%016" PRIx64 ", here %016" PRIx64 ")",
                 boards, DigestOfBoardImages());
        return false;
    }

    uint8_t plugged[NUMBER_OF_JOYSTICKS] = {0, 0};
    JoystickShape shapes[NUMBER_OF_JOYSTICKS] = {};
    if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    while (strncmp(text, "joystick ", 9) == 0)
    {
        int joystick = 0;
        JoystickShape shape = {};
        if (!ReadJoystickLine(text, joystick, shape) || plugged[joystick])
        {
            snprintf(problem, size, "is damaged at line %" PRIu32 ": \"%.60s\"", line, text);
            return false;
        }
        plugged[joystick] = 1;
        shapes[joystick] = shape;
        if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    }
    UseDemoJoysticks(shapes, plugged);

    if (!ReadOptionsLines(file, text, line, problem, size)) return false;
    if (!ReadHeaderLine(file, text, sizeof(text), line, problem, size)) return false;
    if (strcmp(text, "frames") == 0) return true;
    snprintf(problem, size, "is damaged at line %" PRIu32 ": \"frames\" was to come", line);
    return false;
}
