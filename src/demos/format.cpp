// The demo's text, told in docs/maintaining.md: a header with what the
// session started from ("frames" ends it), then one line per run of frames
// whose input stayed the same, and now and then a digest of the game's state.
// Each token of a run line and each key of the header is read and written by
// one entry of a table.
#include "demos/demos.h"

#include <errno.h>
#include <initializer_list>
#include <inttypes.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include "logic/logic.h"
#include "settings/settings.h"

const int32_t LARGEST_RESIZE = 65535;
const int32_t FARTHEST_CLICK = 1000000;  // virtual units off the screen, in a window of one pixel
const int32_t MOST_JOYSTICK_CONTROLS = 1000;

static const char DIRECTION_LETTERS[NUMBER_OF_DIRECTION_VALUES + 1] = "CU?R?D?L";  // indexed by the value

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

// Whole decimal numbers from least to most: one, or two with the separator
// between them, and nothing after.
static bool ReadNumbers(const char* text, char separator, int64_t least, int64_t most, int64_t* first,
                        int64_t* second = nullptr)
{
    for (int64_t* number : {first, second})
    {
        if (!number) break;
        const char* const digits = text + (*text == '-');
        if (*digits < '0' || *digits > '9') return false;
        char* stop = nullptr;
        errno = 0;
        *number = strtoll(text, &stop, 10);
        if (errno == ERANGE || *number < least || *number > most) return false;
        text = stop + (second && number == first && *stop == separator);
        if (number == first && second && *stop != separator) return false;
    }
    return *text == '\0';
}

// A digest as written: one to sixteen lower-case hex digits.
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

// ---- Run lines ----

enum
{
    TOKEN_ESCAPE,
    TOKEN_KEY,
    TOKEN_FOCUS,  // the index is the bit
    TOKEN_RESIZE,
    TOKEN_HELD,   // the index is the source
    TOKEN_MOVED,  // the index is the stick
    TOKEN_CLICK   // the index is the mouse button
};

struct RunToken
{
    const char* Name;
    uint8_t Kind;
    uint8_t Index;
};

static const RunToken RUN_TOKENS[] = {
    {"escape", TOKEN_ESCAPE, 0},         {"key", TOKEN_KEY, 0},         {"focus", TOKEN_FOCUS, FOCUS_CHANGED},
    {"away", TOKEN_FOCUS, FOCUS_LOST},   {"back", TOKEN_FOCUS, FOCUS_BACK}, {"resize", TOKEN_RESIZE, 0},
    {"arrows", TOKEN_HELD, 0},           {"stick1", TOKEN_HELD, 1},     {"stick2", TOKEN_HELD, 2},
    {"moved1", TOKEN_MOVED, 0},          {"moved2", TOKEN_MOVED, 1},    {"click", TOKEN_CLICK, 0},
    {"middle", TOKEN_CLICK, 1},
};

// The token's value in the frame, as written after its '='; empty for a bare word.
static void WriteValue(const RunToken& token, const FrameInput& run, char* value, int size)
{
    const int index = token.Index;
    value[0] = '\0';
    switch (token.Kind)
    {
        case TOKEN_ESCAPE:
            if (IsKey(run.KeyBeforeEscape)) snprintf(value, size, "%c", run.KeyBeforeEscape);
            break;
        case TOKEN_KEY: snprintf(value, size, "%c", run.Key); break;
        case TOKEN_RESIZE: snprintf(value, size, "%ux%u", run.ResizeWidth, run.ResizeHeight); break;
        case TOKEN_HELD:
            snprintf(value, size, "%c%s%s", run.Direction[index] < NUMBER_OF_DIRECTION_VALUES ? DIRECTION_LETTERS[run.Direction[index]] : 'C',
                     run.ButtonOne[index] ? "1" : "", run.ButtonTwo[index] ? "2" : "");
            break;
        case TOKEN_MOVED: snprintf(value, size, "%u", run.ControlMoved[index]); break;
        case TOKEN_CLICK: snprintf(value, size, "%d,%d", (int)run.MouseX, (int)run.MouseY); break;
    }
}

// An event is written in its frame; a held control where it changed.
static bool Written(const RunToken& token, const FrameInput& run, const FrameInput& before)
{
    char now[DEMO_LINE_SIZE], then[DEMO_LINE_SIZE];
    switch (token.Kind)
    {
        case TOKEN_ESCAPE: return run.Escape != 0;
        case TOKEN_KEY: return IsKey(run.Key);
        case TOKEN_FOCUS: return (run.Focus & token.Index) != 0;
        case TOKEN_RESIZE: return run.ResizeWidth != 0;
        case TOKEN_CLICK: return run.Click[token.Index] != 0;
    }
    WriteValue(token, run, now, sizeof(now));
    WriteValue(token, before, then, sizeof(then));
    return strcmp(now, then) != 0;
}

// The value into the run's first frame; false when it is not one of ours.
static bool ReadValue(const RunToken& token, const char* value, FrameInput& run)
{
    const int index = token.Index;
    int64_t first = 0, second = 0;
    const bool single = value[0] != '\0' && value[1] == '\0';
    switch (token.Kind)
    {
        case TOKEN_ESCAPE:
            run.Escape = 1;
            run.KeyBeforeEscape = value[0];
            return value[0] == '\0' || (single && IsKey(value[0]));
        case TOKEN_KEY:
            run.Key = value[0];
            return single && IsKey(value[0]);
        case TOKEN_FOCUS:
            run.Focus |= index;
            return value[0] == '\0';
        case TOKEN_RESIZE:
            if (!ReadNumbers(value, 'x', 1, LARGEST_RESIZE, &first, &second)) return false;
            run.ResizeWidth = (uint16_t)first;
            run.ResizeHeight = (uint16_t)second;
            return true;
        case TOKEN_HELD:
        {
            const char* const letter = value[0] ? strchr(DIRECTION_LETTERS, value[0]) : nullptr;
            if (!letter || *letter == '?') return false;
            run.Direction[index] = (uint8_t)(letter - DIRECTION_LETTERS);
            const char* buttons = value + 1;
            run.ButtonOne[index] = *buttons == '1';
            buttons += run.ButtonOne[index];
            run.ButtonTwo[index] = *buttons == '2';
            return buttons[run.ButtonTwo[index]] == '\0';
        }
        case TOKEN_MOVED:
            if (!ReadNumbers(value, 0, 0, UINT8_MAX, &first)) return false;
            run.ControlMoved[index] = (uint8_t)first;
            return true;
        case TOKEN_CLICK:
            if (!ReadNumbers(value, ',', -FARTHEST_CLICK, FARTHEST_CLICK, &first, &second)) return false;
            run.Click[index] = 1;
            run.PointerKnown = 1;
            run.MouseX = (int32_t)first;
            run.MouseY = (int32_t)second;
            return true;
    }
    return false;
}

void WriteDemoRun(uint32_t frames, const FrameInput& run, const FrameInput& before, char* line, int size)
{
    snprintf(line, size, "%" PRIu32, frames);
    for (const RunToken& token : RUN_TOKENS)
    {
        if (!Written(token, run, before)) continue;
        char value[DEMO_LINE_SIZE];
        WriteValue(token, run, value, sizeof(value));
        Append(line, size, value[0] ? " %s=%s" : " %s", token.Name, value);
    }
}

// The held controls go on from the run before; the events are this run's own.
static bool ReadRunLine(char* line, FrameInput& run, uint32_t& frames)
{
    int64_t count = 0;
    char* token = strtok(line, " ");
    if (!token || !ReadNumbers(token, 0, 1, UINT32_MAX, &count)) return false;
    frames = (uint32_t)count;
    FrameInput next = {};
    CopyHeldInput(run, next);
    while ((token = strtok(nullptr, " ")))
    {
        char* const equals = strchr(token, '=');
        if (equals) *equals = '\0';
        const RunToken* known = nullptr;
        for (const RunToken& entry : RUN_TOKENS) known = strcmp(token, entry.Name) == 0 ? &entry : known;
        const bool bare = !equals && known && (known->Kind == TOKEN_ESCAPE || known->Kind == TOKEN_FOCUS);
        if (!known || (!equals && !bare) || !ReadValue(*known, equals ? equals + 1 : "", next)) return false;
    }
    run = next;
    return true;
}

void WriteDemoCheck(const char* word, uint32_t frames, uint64_t digest, char* line, int size)
{
    snprintf(line, size, "%s %" PRIu32 " %016" PRIx64, word, frames, digest);
}

// "state F DIGEST", "end F DIGEST", or "end" alone, unchecked, in a demo written by hand.
static bool ReadCheckLine(char* line, DemoItem& item)
{
    strtok(line, " ");
    char* const frames = strtok(nullptr, " ");
    char* const digest = strtok(nullptr, " ");
    int64_t number = 0;
    item.HasDigest = frames != nullptr;
    if (!frames) return true;
    if (!digest || !ReadDigest(digest, item.Digest) || strtok(nullptr, " ") || !ReadNumbers(frames, 0, 0, UINT32_MAX, &number)) return false;
    item.Frames = (uint32_t)number;
    return true;
}

// ---- Lines ----

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
        if (length >= (size_t)size || memchr(start, '\0', length)) return LINE_TOO_LONG;
        length -= length > 0 && start[length - 1] == '\r';
        memcpy(line, start, length);
        line[length] = '\0';
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
    char line[DEMO_LINE_SIZE], copy[DEMO_LINE_SIZE];
    item = DemoItem{};
    const int read = ReadMeaningfulLine(text, line, sizeof(line));
    if (read == LINE_AT_END) return DEMO_NO_MORE;
    snprintf(problem, size, "is damaged at line %" PRIu32 ": the line is too long", text.Line);
    if (read == LINE_TOO_LONG) return DEMO_DAMAGED;

    const int kind = StartsWithWord(line, "state") ? DEMO_STATE : StartsWithWord(line, "end") ? DEMO_END : DEMO_RUN;
    snprintf(copy, sizeof(copy), "%s", line);
    const bool usable = kind == DEMO_RUN ? ReadRunLine(line, run, item.Frames)
                                         : ReadCheckLine(line, item) && (kind == DEMO_END || item.HasDigest);
    if (usable) return kind;
    snprintf(problem, size, "is damaged at line %" PRIu32 ": \"%.60s\"", text.Line, copy);
    return DEMO_DAMAGED;
}

// ---- The header ----

enum
{
    KEY_FORMAT,
    KEY_VERSION,
    KEY_SEED,
    KEY_BOARDS,
    KEY_JOYSTICK,  // one line a joystick plugged in
    KEY_OPTIONS,   // the options file's length, or "none"
    KEY_OPTION,    // one line a line of the options file
    KEY_FRAMES,
    NUMBER_OF_HEADER_KEYS
};

// In the order they are written and must come.
static const char* const HEADER_KEYS[NUMBER_OF_HEADER_KEYS] = {"wobblersaga", "version", "seed",   "boards",
                                                               "joystick",    "options", "option", "frames"};

// Backslashes, control bytes, bytes above ASCII and a last space are
// written as \xHH, so that a line of the options file survives any editor.
static void WriteOptionLine(const char* text, char* line, size_t size)
{
    Append(line, size, "option ");
    for (const unsigned char* at = (const unsigned char*)text; *at; at++)
    {
        const bool plain = *at != '\\' && *at >= ' ' && *at < 127 && !(*at == ' ' && at[1] == '\0');
        Append(line, size, plain ? "%c" : "\\x%02x", *at);
    }
    Append(line, size, "\n");
}

static bool ReadOptionLine(const char* text, char* line, int size)
{
    int length = 0;
    for (const char* at = text; *at; at++, length++)
    {
        if (length >= size - 1) return false;
        line[length] = *at;
        if (*at != '\\') continue;
        const char digits[3] = {at[1] == 'x' ? at[2] : '\0', at[2] ? at[3] : '\0', '\0'};
        if (strlen(digits) != 2 || strspn(digits, "0123456789abcdef") != 2 || strcmp(digits, "00") == 0) return false;
        line[length] = (char)strtoul(digits, nullptr, 16);
        at += 3;
    }
    line[length] = '\0';
    return true;
}

// The key's lines, appended to the header's text.
static void WriteHeaderKey(int key, const DemoHeader& header, char* text, int size)
{
    const char* const name = HEADER_KEYS[key];
    switch (key)
    {
        case KEY_FORMAT: Append(text, size, "%s demo %d\n", name, DEMO_FORMAT_VERSION); break;
        case KEY_VERSION: Append(text, size, "%s %s\n", name, GAME_VERSION); break;
        case KEY_SEED: Append(text, size, "%s %" PRIu32 "\n", name, header.Seed); break;
        case KEY_BOARDS: Append(text, size, "%s %016" PRIx64 "\n", name, header.Boards); break;
        case KEY_JOYSTICK:
            for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
            {
                const JoystickShape& shape = header.Joysticks[joystick];
                if (header.Plugged[joystick])
                    Append(text, size, "%s %d axes=%d buttons=%d hats=%d\n", name, joystick + 1, (int)shape.Axes,
                           (int)shape.Buttons, (int)shape.Hats);
            }
            break;
        case KEY_OPTIONS:
            if (header.OptionsFound) Append(text, size, "%s %d\n", name, (int)header.OptionsCount);
            if (!header.OptionsFound) Append(text, size, "%s none\n", name);
            break;
        case KEY_OPTION:
            for (int line = 0; header.OptionsFound && line < header.OptionsCount; line++)
                WriteOptionLine(header.Options[line], text, size);
            break;
        case KEY_FRAMES: Append(text, size, "%s\n", name); break;
    }
}

bool WriteDemoHeader(const DemoHeader& header, char* text, int size)
{
    text[0] = '\0';
    for (int key = 0; key < NUMBER_OF_HEADER_KEYS; key++) WriteHeaderKey(key, header, text, size);
    return strlen(text) + 1 < (size_t)size;
}

// One line's value; false, with the problem where it is more than a damage.
static bool ReadHeaderKey(int key, const char* value, DemoHeader& header, int& optionsToCome, char* problem, int size)
{
    int64_t number = 0;
    int joystick = 0, axes = -1, buttons = -1, hats = -1, consumed = 0;
    switch (key)
    {
        case KEY_FORMAT:
            if (strncmp(value, "demo ", 5) != 0 || !ReadNumbers(value + 5, 0, 1, INT32_MAX, &number)) return false;
            if (number == DEMO_FORMAT_VERSION) return true;
            snprintf(problem, size, "is in demo format %" PRId64 ", %s than this game's %d: record it again with this game",
                     number, number < DEMO_FORMAT_VERSION ? "older" : "newer", DEMO_FORMAT_VERSION);
            return false;
        case KEY_VERSION:
            if (strcmp(value, GAME_VERSION) == 0) return true;
            snprintf(problem, size, "was recorded by another version of the game (\"%.40s\"; this is version %s)",
                     value, GAME_VERSION);
            return false;
        case KEY_SEED:
            if (!ReadNumbers(value, 0, 0, UINT32_MAX, &number)) return false;
            header.Seed = (uint32_t)number;
            return true;
        case KEY_BOARDS:
            if (!ReadDigest(value, header.Boards)) return false;
            if (header.Boards == DigestOfBoardImages()) return true;
            snprintf(problem, size, "was made over other boards than those in data/boards (%s, here %016" PRIx64 ")",
                     value, DigestOfBoardImages());
            return false;
        case KEY_JOYSTICK:
            // Any number may stand there, INT_MIN among them.
            if (sscanf(value, "%d axes=%d buttons=%d hats=%d%n", &joystick, &axes, &buttons, &hats, &consumed) != 4 ||
                value[consumed] != '\0' || joystick < 1 || joystick > NUMBER_OF_JOYSTICKS || axes < 0 ||
                axes > MOST_JOYSTICK_CONTROLS || buttons < 0 || buttons > MOST_JOYSTICK_CONTROLS || hats < 0 ||
                hats > MOST_JOYSTICK_CONTROLS || header.Plugged[joystick - 1])
                return false;
            header.Plugged[joystick - 1] = 1;
            header.Joysticks[joystick - 1] = JoystickShape{axes, buttons, hats};
            return true;
        case KEY_OPTIONS:
            header.OptionsFound = strcmp(value, "none") != 0;
            optionsToCome = 0;
            if (!header.OptionsFound) return true;
            if (!ReadNumbers(value, 0, 0, OPTIONS_FILE_LINES, &number)) return false;
            optionsToCome = (int)number;
            return true;
        case KEY_OPTION:
            return optionsToCome-- > 0 && ReadOptionLine(value, header.Options[header.OptionsCount++], OPTIONS_LINE_SIZE);
        case KEY_FRAMES: return value[0] == '\0' && optionsToCome == 0;
    }
    return false;
}

// The keys come in the table's order, joystick and option lines as often
// as there are, every other once; "frames" ends the header.
bool ReadDemoHeader(DemoText& text, DemoHeader& header, char* problem, int size)
{
    header = DemoHeader{};
    char line[DEMO_LINE_SIZE];
    int optionsToCome = 0;
    for (int next = 0; next < NUMBER_OF_HEADER_KEYS;)
    {
        const int read = ReadMeaningfulLine(text, line, sizeof(line));
        snprintf(problem, size, read == LINE_AT_END ? "is truncated: its header ends at line %" PRIu32
                                                   : "is damaged at line %" PRIu32 ": the line is too long", text.Line);
        if (read != LINE_READ) return false;
        // A key that may repeat may also be missing.
        int key = next;
        key += (key == KEY_JOYSTICK || key == KEY_OPTION) && !StartsWithWord(line, HEADER_KEYS[key]);
        const size_t length = strlen(HEADER_KEYS[key]);
        problem[0] = '\0';
        if (StartsWithWord(line, HEADER_KEYS[key]) &&
            ReadHeaderKey(key, line + length + (line[length] != '\0'), header, optionsToCome, problem, size))
        {
            next = key == KEY_JOYSTICK || key == KEY_OPTION ? key : key + 1;
            continue;
        }
        if (problem[0] == '\0' && key == KEY_FORMAT)
            snprintf(problem, size, "is not a demo of this game: its first line is not \"wobblersaga demo %d\"",
                     DEMO_FORMAT_VERSION);
        else if (problem[0] == '\0')
            snprintf(problem, size, "is damaged at line %" PRIu32 ": \"%.60s\"", text.Line, line);
        return false;
    }
    return true;
}
