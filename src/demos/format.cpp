// The demo's text: a header with what the session started from, then one
// line per run of frames whose input stayed the same, with a digest of the
// game's state now and then. For example:
//
//   wobblersaga demo 2
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
//   12 arrows=R moved1=2
//   state 64 01f2e3d4c5b6a798
//   ...
//   end 2400 0123456789abcdef
//
// A run line is the number of frames, then what changed at its first frame:
// the held controls (arrows, stick1, stick2: a direction C, U, R, D or L and
// the buttons 1 and 2 held; moved1, moved2: the control a stick moves) until
// they change again, and the events of that frame alone (escape, or
// escape=K after a key K; key=, focus=, resize=WxH, click=X,Y, middle=X,Y).
// Blank lines and lines from '#' are left out, so that a demo can be written
// by hand; one without state lines is played unchecked. Every line is read
// and written by the same table entry.
#include "demos/demos.h"

#include <errno.h>
#include <inttypes.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include "logic/logic.h"
#include "settings/settings.h"

static const char DEMO_FORMAT[] = "demo 2";  // "wobblersaga demo 2"
const uint32_t LARGEST_RESIZE = 65535;
const int32_t FARTHEST_CLICK = 1000000;  // virtual units off the screen, in a window of one pixel
const int32_t MOST_JOYSTICK_CONTROLS = 1000;

// A direction's letter, indexed by its value; 0 where there is none.
static const char DIRECTION_LETTER[NUMBER_OF_DIRECTION_VALUES] = {'C', 'U', 0, 'R', 0, 'D', 0, 'L'};
// The focus bits' names, lowest first; a frame with several joins them with '+'.
static const char* const FOCUS_NAMES[] = {"changed", "lost", "back"};
const int NUMBER_OF_FOCUS_BITS = sizeof(FOCUS_NAMES) / sizeof(FOCUS_NAMES[0]);

// Appends to a line without running past its end.
static void Append(char* line, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
static void Append(char* line, size_t size, const char* format, ...)
{
    const size_t length = strlen(line);
    if (length + 1 >= size) return;
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(line + length, size - length, format, arguments);
    va_end(arguments);
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

static bool IsKey(char key)
{
    return key > ' ' && key < 127;
}

// ---- Run lines: one table of tokens, each read and written by its kind ----

enum
{
    TOKEN_ESCAPE,
    TOKEN_KEY,
    TOKEN_FOCUS,
    TOKEN_RESIZE,
    TOKEN_HELD,
    TOKEN_MOVED,
    TOKEN_CLICK
};

struct RunToken
{
    const char* Name;
    uint8_t Kind;
    uint8_t Index;  // the source, stick or mouse button
};

static const RunToken RUN_TOKENS[] = {
    {"escape", TOKEN_ESCAPE, 0}, {"key", TOKEN_KEY, 0},      {"focus", TOKEN_FOCUS, 0},  {"resize", TOKEN_RESIZE, 0},
    {"arrows", TOKEN_HELD, 0},   {"stick1", TOKEN_HELD, 1},  {"stick2", TOKEN_HELD, 2},  {"moved1", TOKEN_MOVED, 0},
    {"moved2", TOKEN_MOVED, 1},  {"click", TOKEN_CLICK, 0},  {"middle", TOKEN_CLICK, 1},
};

// A kind of token: whether a run writes it, its value as written (empty for
// a bare word), and the value read back into the run's first frame.
struct TokenKind
{
    bool (*Written)(const FrameInput& run, const FrameInput& before, int index);
    void (*Write)(const FrameInput& run, int index, char* value, int size);
    bool (*Read)(const char* value, FrameInput& run, int index);  // value is null for a bare word
};

static bool EscapeWritten(const FrameInput& run, const FrameInput&, int)
{
    return run.Escape != 0;
}

static void WriteEscape(const FrameInput& run, int, char* value, int size)
{
    value[0] = '\0';
    if (IsKey(run.KeyBeforeEscape)) snprintf(value, size, "%c", run.KeyBeforeEscape);
}

static bool ReadEscape(const char* value, FrameInput& run, int)
{
    run.Escape = 1;
    if (!value) return true;
    run.KeyBeforeEscape = value[0];
    return IsKey(value[0]) && value[1] == '\0';
}

static bool KeyWritten(const FrameInput& run, const FrameInput&, int)
{
    return IsKey(run.Key);
}

static void WriteKey(const FrameInput& run, int, char* value, int size)
{
    snprintf(value, size, "%c", run.Key);
}

static bool ReadKey(const char* value, FrameInput& run, int)
{
    if (!value || !IsKey(value[0]) || value[1] != '\0') return false;
    run.Key = value[0];
    return true;
}

static bool FocusWritten(const FrameInput& run, const FrameInput&, int)
{
    return run.Focus != FOCUS_UNCHANGED;
}

static void WriteFocus(const FrameInput& run, int, char* value, int size)
{
    value[0] = '\0';
    for (int bit = 0; bit < NUMBER_OF_FOCUS_BITS; bit++)
    {
        if (run.Focus & (1 << bit)) Append(value, size, value[0] ? "+%s" : "%s", FOCUS_NAMES[bit]);
    }
}

static bool ReadFocus(const char* value, FrameInput& run, int)
{
    if (!value) return false;
    char names[DEMO_LINE_SIZE];
    snprintf(names, sizeof(names), "%s", value);
    char* rest = names;
    while (char* const name = strsep(&rest, "+"))
    {
        int bit = 0;
        while (bit < NUMBER_OF_FOCUS_BITS && strcmp(name, FOCUS_NAMES[bit]) != 0) bit++;
        if (bit == NUMBER_OF_FOCUS_BITS) return false;
        run.Focus |= 1 << bit;
    }
    return true;
}

static bool ResizeWritten(const FrameInput& run, const FrameInput&, int)
{
    return run.ResizeWidth != 0;
}

static void WriteResize(const FrameInput& run, int, char* value, int size)
{
    snprintf(value, size, "%ux%u", run.ResizeWidth, run.ResizeHeight);
}

static bool ReadResize(const char* value, FrameInput& run, int)
{
    uint64_t width = 0, height = 0;
    const char* after = nullptr;
    if (!value || !ReadNumber(value, 'x', 1, LARGEST_RESIZE, width, &after)) return false;
    if (!ReadNumber(after + 1, '\0', 1, LARGEST_RESIZE, height)) return false;
    run.ResizeWidth = (uint16_t)width;
    run.ResizeHeight = (uint16_t)height;
    return true;
}

static bool HeldWritten(const FrameInput& run, const FrameInput& before, int source)
{
    return run.Direction[source] != before.Direction[source] || run.ButtonOne[source] != before.ButtonOne[source] ||
           run.ButtonTwo[source] != before.ButtonTwo[source];
}

static void WriteHeld(const FrameInput& run, int source, char* value, int size)
{
    const uint8_t direction = run.Direction[source];
    const char letter = direction < NUMBER_OF_DIRECTION_VALUES ? DIRECTION_LETTER[direction] : 0;
    snprintf(value, size, "%c%s%s", letter ? letter : 'C', run.ButtonOne[source] ? "1" : "",
             run.ButtonTwo[source] ? "2" : "");
}

// A direction letter and the buttons held with it.
static bool ReadHeld(const char* value, FrameInput& run, int source)
{
    const char* const letter =
        value && value[0] ? (const char*)memchr(DIRECTION_LETTER, value[0], NUMBER_OF_DIRECTION_VALUES) : nullptr;
    if (!letter) return false;
    run.Direction[source] = (uint8_t)(letter - DIRECTION_LETTER);
    const char* buttons = value + 1;
    run.ButtonOne[source] = *buttons == '1';
    if (run.ButtonOne[source]) buttons++;
    run.ButtonTwo[source] = *buttons == '2';
    if (run.ButtonTwo[source]) buttons++;
    return *buttons == '\0';
}

static bool MovedWritten(const FrameInput& run, const FrameInput& before, int joystick)
{
    return run.ControlMoved[joystick] != before.ControlMoved[joystick];
}

static void WriteMoved(const FrameInput& run, int joystick, char* value, int size)
{
    snprintf(value, size, "%u", run.ControlMoved[joystick]);
}

static bool ReadMoved(const char* value, FrameInput& run, int joystick)
{
    uint64_t code = 0;
    if (!value || !ReadNumber(value, '\0', 0, UINT8_MAX, code)) return false;
    run.ControlMoved[joystick] = (uint8_t)code;
    return true;
}

static bool ClickWritten(const FrameInput& run, const FrameInput&, int button)
{
    return run.Click[button] != 0;
}

static void WriteClick(const FrameInput& run, int, char* value, int size)
{
    snprintf(value, size, "%d,%d", (int)run.MouseX, (int)run.MouseY);
}

static bool ReadClick(const char* value, FrameInput& run, int button)
{
    const char* after = nullptr;
    run.Click[button] = 1;
    run.PointerKnown = 1;
    return value && ReadSignedNumber(value, ',', FARTHEST_CLICK, run.MouseX, &after) &&
           ReadSignedNumber(after + 1, '\0', FARTHEST_CLICK, run.MouseY, &after);
}

// Indexed by TOKEN_...
static const TokenKind TOKEN_KINDS[] = {
    {EscapeWritten, WriteEscape, ReadEscape}, {KeyWritten, WriteKey, ReadKey},
    {FocusWritten, WriteFocus, ReadFocus},    {ResizeWritten, WriteResize, ReadResize},
    {HeldWritten, WriteHeld, ReadHeld},       {MovedWritten, WriteMoved, ReadMoved},
    {ClickWritten, WriteClick, ReadClick},
};

void WriteDemoRun(uint32_t frames, const FrameInput& run, const FrameInput& before, char* line, int size)
{
    snprintf(line, size, "%" PRIu32, frames);
    for (const RunToken& token : RUN_TOKENS)
    {
        const TokenKind& kind = TOKEN_KINDS[token.Kind];
        if (!kind.Written(run, before, token.Index)) continue;
        char value[DEMO_LINE_SIZE] = "";
        kind.Write(run, token.Index, value, sizeof(value));
        Append(line, size, value[0] ? " %s=%s" : " %s", token.Name, value);
    }
}

static bool ReadRunToken(char* text, FrameInput& run)
{
    char* const equals = strchr(text, '=');
    if (equals) *equals = '\0';
    for (const RunToken& token : RUN_TOKENS)
    {
        if (strcmp(text, token.Name) == 0) return TOKEN_KINDS[token.Kind].Read(equals ? equals + 1 : nullptr, run, token.Index);
    }
    return false;
}

// The held controls go on from the run before; the events are this run's own.
static bool ReadRunLine(char* text, FrameInput& run, uint32_t& frames)
{
    char* token = strtok(text, " ");
    uint64_t count = 0;
    if (!token || !ReadNumber(token, '\0', 1, UINT32_MAX, count)) return false;
    frames = (uint32_t)count;

    FrameInput next = {};
    CopyHeldInput(run, next);
    while ((token = strtok(nullptr, " ")))
    {
        if (!ReadRunToken(token, next)) return false;
    }
    run = next;
    return true;
}

void WriteDemoCheck(const char* word, uint32_t frames, uint64_t digest, char* line, int size)
{
    snprintf(line, size, "%s %" PRIu32 " %016" PRIx64, word, frames, digest);
}

// "state F DIGEST", "end F DIGEST", or "end" alone, unchecked, in a demo written by hand.
static bool ReadCheckLine(char* text, DemoItem& item)
{
    strtok(text, " ");
    char* const frames = strtok(nullptr, " ");
    char* const digest = strtok(nullptr, " ");
    if (strtok(nullptr, " ")) return false;
    item.HasDigest = frames != nullptr;
    if (!frames) return true;
    uint64_t number = 0;
    if (!digest || !ReadNumber(frames, '\0', 0, UINT32_MAX, number) || !ReadDigest(digest, item.Digest)) return false;
    item.Frames = (uint32_t)number;
    return true;
}

// ---- Lines of the text ----

enum
{
    LINE_READ,
    LINE_AT_END,  // the end of the text, or a last line without its line break (a write cut short)
    LINE_TOO_LONG
};

// The next line that is neither blank nor a comment, without its line break.
static int ReadMeaningfulLine(DemoText& text, char* line, int size)
{
    while (text.At < text.Size)
    {
        const char* const start = text.Text + text.At;
        const char* const end = (const char*)memchr(start, '\n', text.Size - text.At);
        text.Line++;
        if (!end) return LINE_AT_END;
        size_t length = end - start;
        text.At += length + 1;
        if (length >= (size_t)size) return LINE_TOO_LONG;
        if (length > 0 && start[length - 1] == '\r') length--;
        memcpy(line, start, length);
        line[length] = '\0';
        if (strlen(line) != length) return LINE_TOO_LONG;  // a NUL inside is no line of ours
        if (line[0] != '\0' && line[0] != '#') return LINE_READ;
    }
    return LINE_AT_END;
}

static bool StartsWithWord(const char* line, const char* word)
{
    const size_t length = strlen(word);
    return strncmp(line, word, length) == 0 && (line[length] == ' ' || line[length] == '\0');
}

int ReadDemoItem(DemoText& text, FrameInput& run, DemoItem& item, char* problem, int size)
{
    char line[DEMO_LINE_SIZE];
    item = DemoItem{};
    const int read = ReadMeaningfulLine(text, line, sizeof(line));
    if (read == LINE_AT_END) return DEMO_NO_MORE;
    if (read == LINE_TOO_LONG)
    {
        snprintf(problem, size, "is damaged at line %" PRIu32 ": the line is too long", text.Line);
        return DEMO_DAMAGED;
    }

    const int kind = StartsWithWord(line, "state") ? DEMO_STATE : StartsWithWord(line, "end") ? DEMO_END : DEMO_RUN;
    char copy[DEMO_LINE_SIZE];
    snprintf(copy, sizeof(copy), "%s", line);
    const bool usable = kind == DEMO_RUN ? ReadRunLine(line, run, item.Frames)
                                         : ReadCheckLine(line, item) && (kind == DEMO_END || item.HasDigest);
    if (usable) return kind;
    snprintf(problem, size, "is damaged at line %" PRIu32 ": \"%.60s\"", text.Line, copy);
    return DEMO_DAMAGED;
}

// ---- The header: one table of keys, in the order they are written ----

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

// "\xHH" back to its byte; false when the text is not one of ours.
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
        const char digits[3] = {at[2], at[2] ? at[3] : '\0', '\0'};
        if (strlen(digits) != 2 || strspn(digits, "0123456789abcdef") != 2) return false;
        const char byte = (char)strtoul(digits, nullptr, 16);
        if (byte == '\0') return false;
        line[length++] = byte;
        at += 3;
    }
    line[length] = '\0';
    return true;
}

// The header being read: which lines have come, and how many options lines are still to come.
struct HeaderReading
{
    DemoHeader& Header;
    int OptionsExpected;
};

// A key's lines, appended to the header's text, and one line's value read.
struct HeaderKey
{
    const char* Name;
    void (*Write)(const DemoHeader& header, char* text, int size);
    bool (*Read)(const char* value, HeaderReading& reading, char* problem, int size);
    uint8_t Required;
    uint8_t Repeats;
};

static void WriteFormat(const DemoHeader&, char* text, int size)
{
    Append(text, size, "wobblersaga %s\n", DEMO_FORMAT);
}

static bool ReadFormat(const char* value, HeaderReading&, char*, int)
{
    return strcmp(value, DEMO_FORMAT) == 0;
}

static void WriteVersion(const DemoHeader&, char* text, int size)
{
    Append(text, size, "version %s\n", GAME_VERSION);
}

static bool ReadVersion(const char* value, HeaderReading&, char* problem, int size)
{
    if (strcmp(value, GAME_VERSION) == 0) return true;
    snprintf(problem, size, "was recorded by another version of the game (\"%.40s\"; this is version %s)", value,
             GAME_VERSION);
    return false;
}

static void WriteSeed(const DemoHeader& header, char* text, int size)
{
    Append(text, size, "seed %" PRIu32 "\n", header.Seed);
}

static bool ReadSeed(const char* value, HeaderReading& reading, char*, int)
{
    uint64_t seed = 0;
    if (!ReadNumber(value, '\0', 0, UINT32_MAX, seed)) return false;
    reading.Header.Seed = (uint32_t)seed;
    return true;
}

static void WriteBoards(const DemoHeader& header, char* text, int size)
{
    Append(text, size, "boards %016" PRIx64 "\n", header.Boards);
}

static bool ReadBoards(const char* value, HeaderReading& reading, char* problem, int size)
{
    if (!ReadDigest(value, reading.Header.Boards)) return false;
    const uint64_t here = DigestOfBoardImages();
    if (reading.Header.Boards == here) return true;
    snprintf(problem, size, "was made over other boards than those in data/boards (%016" PRIx64 ", here %016" PRIx64 ")",
             reading.Header.Boards, here);
    return false;
}

static void WriteJoysticks(const DemoHeader& header, char* text, int size)
{
    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        if (!header.Plugged[joystick]) continue;
        const JoystickShape& shape = header.Joysticks[joystick];
        Append(text, size, "joystick %d axes=%d buttons=%d hats=%d\n", joystick + 1, (int)shape.Axes,
               (int)shape.Buttons, (int)shape.Hats);
    }
}

// "N axes=A buttons=B hats=H"; any number may stand there, INT_MIN among them.
static bool ReadJoystick(const char* value, HeaderReading& reading, char*, int)
{
    int joystick = 0, axes = -1, buttons = -1, hats = -1, consumed = 0;
    if (sscanf(value, "%d axes=%d buttons=%d hats=%d%n", &joystick, &axes, &buttons, &hats, &consumed) != 4 ||
        value[consumed] != '\0')
        return false;
    const bool inRange = joystick >= 1 && joystick <= NUMBER_OF_JOYSTICKS && axes >= 0 &&
                         axes <= MOST_JOYSTICK_CONTROLS && buttons >= 0 && buttons <= MOST_JOYSTICK_CONTROLS &&
                         hats >= 0 && hats <= MOST_JOYSTICK_CONTROLS;
    if (!inRange || reading.Header.Plugged[joystick - 1]) return false;
    reading.Header.Plugged[joystick - 1] = 1;
    reading.Header.Joysticks[joystick - 1] = JoystickShape{axes, buttons, hats};
    return true;
}

static void WriteOptionsCount(const DemoHeader& header, char* text, int size)
{
    if (header.OptionsFound)
        Append(text, size, "options %d\n", (int)header.OptionsCount);
    else
        Append(text, size, "options none\n");
}

static bool ReadOptionsCount(const char* value, HeaderReading& reading, char*, int)
{
    uint64_t count = 0;
    reading.Header.OptionsFound = strcmp(value, "none") != 0;
    if (reading.Header.OptionsFound && !ReadNumber(value, '\0', 0, OPTIONS_FILE_LINES, count)) return false;
    reading.OptionsExpected = (int)count;
    return true;
}

static void WriteOptions(const DemoHeader& header, char* text, int size)
{
    for (int index = 0; header.OptionsFound && index < header.OptionsCount; index++)
    {
        Append(text, size, "option ");
        AppendEscaped(text, size, header.Options[index]);
        Append(text, size, "\n");
    }
}

static bool ReadOption(const char* value, HeaderReading& reading, char*, int)
{
    DemoHeader& header = reading.Header;
    if (header.OptionsCount >= reading.OptionsExpected) return false;
    return Unescape(value, header.Options[header.OptionsCount++], OPTIONS_LINE_SIZE);
}

static void WriteFrames(const DemoHeader&, char* text, int size)
{
    Append(text, size, "frames\n");
}

static bool ReadFrames(const char* value, HeaderReading& reading, char*, int)
{
    return value[0] == '\0' && reading.Header.OptionsCount == reading.OptionsExpected;
}

static const HeaderKey HEADER_KEYS[] = {
    {"wobblersaga", WriteFormat, ReadFormat, 1, 0}, {"version", WriteVersion, ReadVersion, 1, 0},
    {"seed", WriteSeed, ReadSeed, 1, 0},            {"boards", WriteBoards, ReadBoards, 1, 0},
    {"joystick", WriteJoysticks, ReadJoystick, 0, 1}, {"options", WriteOptionsCount, ReadOptionsCount, 1, 0},
    {"option", WriteOptions, ReadOption, 0, 1},     {"frames", WriteFrames, ReadFrames, 1, 0},
};
const int NUMBER_OF_HEADER_KEYS = sizeof(HEADER_KEYS) / sizeof(HEADER_KEYS[0]);

bool WriteDemoHeader(const DemoHeader& header, char* text, int size)
{
    text[0] = '\0';
    for (const HeaderKey& key : HEADER_KEYS) key.Write(header, text, size);
    return strlen(text) + 1 < (size_t)size;
}

// The header's keys come in the table's order, each required one once; it
// ends with "frames".
bool ReadDemoHeader(DemoText& text, DemoHeader& header, char* problem, int size)
{
    header = DemoHeader{};
    HeaderReading reading = {header, 0};
    char line[DEMO_LINE_SIZE];
    int next = 0;  // the first key that may come now
    while (next < NUMBER_OF_HEADER_KEYS)
    {
        const int read = ReadMeaningfulLine(text, line, sizeof(line));
        problem[0] = '\0';
        if (read == LINE_AT_END)
            snprintf(problem, size, "is truncated: its header ends at line %" PRIu32, text.Line);
        if (read == LINE_TOO_LONG)
            snprintf(problem, size, "is damaged at line %" PRIu32 ": the line is too long", text.Line);
        if (read != LINE_READ) return false;

        int index = next;
        while (index < NUMBER_OF_HEADER_KEYS && !StartsWithWord(line, HEADER_KEYS[index].Name) &&
               !HEADER_KEYS[index].Required)
            index++;
        const HeaderKey* const key = index < NUMBER_OF_HEADER_KEYS ? &HEADER_KEYS[index] : nullptr;
        const bool named = key && StartsWithWord(line, key->Name);
        const char* const value = named ? line + strlen(key->Name) + (line[strlen(key->Name)] ? 1 : 0) : "";
        if (named && key->Read(value, reading, problem, size))
        {
            next = key->Repeats ? index : index + 1;
            if (key->Read == ReadFrames) return true;
            continue;
        }
        if (problem[0] != '\0') return false;
        if (index == 0)
            snprintf(problem, size, "is not a demo of this game: its first line is not \"wobblersaga %s\"",
                     DEMO_FORMAT);
        else
            snprintf(problem, size, "is damaged at line %" PRIu32 ": \"%.60s\"", text.Line, line);
        return false;
    }
    return false;
}
