#include "data/data.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "audio/audio.h"
#include "checks.h"
#include "game/game.h"
#include "input/input.h"
#include "logic/logic.h"
#include "platform/platform.h"
#include "settings/settings.h"

// The save goes to this file beside the real one and is renamed over it only
// when complete, so an interrupted save leaves the last good file in place.
const char* const TEMPORARY_FILE_SUFFIX = ".new";
const int TEMPORARY_FILE_PATH_SIZE = OPTIONS_FILE_PATH_SIZE + 8;

// Defaults of the options other objects own, used when a line is unusable.
const int32_t DEFAULT_VOLUME = 32;
const int32_t MAXIMUM_VOLUME = 128;
const uint8_t DEFAULT_ABOUT_BACKGROUND_HIDDEN = 1;
const uint8_t DEFAULT_GAME_MODE = 1;
const int MAXIMUM_LEVEL = 6;

// Per joystick: up, down, left, right, button one, button two. The vertical
// axis, the horizontal axis, buttons 0 and 1.
const int JOYSTICK_CONTROLS = 6;
const uint8_t DEFAULT_JOYSTICK_CODES[JOYSTICK_CONTROLS] = {2, 2, 1, 1, 9, 10};

// How a line is written and read back.
enum
{
    LINE_INT32,          // "%d"; a number from minimum to maximum
    LINE_BYTE,           // "%d"; a number from minimum to maximum
    LINE_FLAG,           // "%d" of 0 or 1; any number, true when not 0
    LINE_JOYSTICK_CODE,  // "%d"; a control code the joystick can produce
    LINE_KEY,            // "%c"; a lower-case letter, or '^' for none
    LINE_NAME,           // the text, at most 18 characters
    LINE_SCORE           // "%d" of the 32-bit pattern
};

// One line of the file: the field it holds and the value that replaces a
// missing or unusable line.
struct OptionsLine
{
    uint8_t kind;
    void* field;
    int64_t minimum;
    int64_t maximum;
    int64_t fallback;
    const char* fallbackName;
    int joystick;
};

static OptionsLine NumberLine(uint8_t kind, void* field, int64_t minimum, int64_t maximum, int64_t fallback,
                              int joystick = -1)
{
    return OptionsLine{kind, field, minimum, maximum, fallback, nullptr, joystick};
}

// The 138 lines in file order; saving and loading both walk this list.
// False, with nothing read or written, when it does not fill the file.
static bool ListOptionsFileLines(OptionsLine lines[OPTIONS_FILE_LINES])
{
    int count = 0;
    const auto add = [&](const OptionsLine& line) {
        if (RULE_HOLDS(count < OPTIONS_FILE_LINES)) lines[count] = line;
        count++;
    };
    add(NumberLine(LINE_INT32, &audio->MusicVolume, 0, MAXIMUM_VOLUME, DEFAULT_VOLUME));
    add(NumberLine(LINE_INT32, &audio->SoundVolume, 0, MAXIMUM_VOLUME, DEFAULT_VOLUME));
    add(NumberLine(LINE_FLAG, &game->AboutBackgroundHidden, INT32_MIN, INT32_MAX, DEFAULT_ABOUT_BACKGROUND_HIDDEN));
    add(NumberLine(LINE_BYTE, &logic->GameMode, 0, NUMBER_OF_GAME_MODES - 1, DEFAULT_GAME_MODE));

    for (int joystick = 0; joystick < NUMBER_OF_JOYSTICKS; joystick++)
    {
        uint8_t* const codes[JOYSTICK_CONTROLS] = {
            &input->JoyMapUP[joystick],   &input->JoyMapDOWN[joystick],      &input->JoyMapLEFT[joystick],
            &input->JoyMapRIGHT[joystick], &input->JoyMapButtonOne[joystick], &input->JoyMapButtonTwo[joystick],
        };
        for (int control = 0; control < JOYSTICK_CONTROLS; control++)
            add(NumberLine(LINE_JOYSTICK_CODE, codes[control], 1, UINT8_MAX, DEFAULT_JOYSTICK_CODES[control], joystick));
    }

    add(NumberLine(LINE_KEY, &input->UserDefinedKeyButtonOne, 0, 0, NO_USER_DEFINED_KEY));
    add(NumberLine(LINE_KEY, &input->UserDefinedKeyButtonTwo, 0, 0, NO_USER_DEFINED_KEY));

    for (int mode = 0; mode < NUMBER_OF_GAME_MODES; mode++)
    {
        for (int rank = 0; rank < NUMBER_OF_HIGH_SCORES; rank++)
        {
            OptionsLine name = NumberLine(LINE_NAME, data->HighScoresName[mode][rank], 0, 0, 0);
            name.fallbackName = DEFAULT_HIGH_SCORE_NAMES[rank];
            add(name);
            add(NumberLine(LINE_BYTE, &data->HighScoresLevel[mode][rank], 1, MAXIMUM_LEVEL,
                           DEFAULT_HIGH_SCORE_LEVELS[rank]));
            add(NumberLine(LINE_SCORE, &data->HighScoresScore[mode][rank], INT32_MIN, UINT32_MAX,
                           DEFAULT_HIGH_SCORE_SCORES[rank]));
        }
    }
    return RULE_HOLDS(count == OPTIONS_FILE_LINES);
}

static void FormatOptionsLine(const OptionsLine& line, char* text, int size)
{
    switch (line.kind)
    {
    case LINE_INT32: snprintf(text, size, "%d", *(const int32_t*)line.field); break;
    case LINE_BYTE:
    case LINE_JOYSTICK_CODE: snprintf(text, size, "%d", *(const uint8_t*)line.field); break;
    case LINE_FLAG: snprintf(text, size, "%d", *(const uint8_t*)line.field ? 1 : 0); break;
    case LINE_KEY: snprintf(text, size, "%c", *(const char*)line.field); break;
    case LINE_NAME: snprintf(text, size, "%.*s", HIGH_SCORE_NAME_LENGTH, (const char*)line.field); break;
    case LINE_SCORE: snprintf(text, size, "%d", (int32_t)*(const uint32_t*)line.field); break;
    }
}

// A whole decimal number, nothing but blanks around it.
static bool ParseWholeNumber(const char* text, int64_t& value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = strtoll(text, &end, 10);
    if (end == text || errno == ERANGE) return false;
    while (*end == ' ' || *end == '\t') end++;
    if (*end != '\0') return false;
    value = parsed;
    return true;
}

// An unplugged joystick keeps any code, so its set-up survives until it is back.
static bool IsUsableJoystickCode(int joystick, int64_t code)
{
    if (!input->JoystickPlugged[joystick]) return true;
    if (code <= CONTROL_CODE_LAST_AXIS) return code <= input->JoystickNumberOfAxes[joystick];
    return code - CONTROL_CODE_FIRST_BUTTON < input->JoystickNumberOfButtons[joystick];
}

static bool IsUsableKey(char key)
{
    return (key >= 'a' && key <= 'z') || key == NO_USER_DEFINED_KEY;
}

// Copies the printable characters of a name, at most 18 of them.
static void StoreName(char* name, const char* text)
{
    memset(name, 0, HIGH_SCORE_NAME_SIZE);
    int length = 0;
    for (const unsigned char* character = (const unsigned char*)text; *character; character++)
    {
        if (length == HIGH_SCORE_NAME_LENGTH) break;
        if (*character < ' ' || *character == 127) continue;
        name[length++] = *character;
    }
}

// Stores the value of a line read from the file, or its fallback when the
// line is missing (null) or unusable; false when the fallback was taken.
static bool StoreOptionsLine(const OptionsLine& line, const char* text)
{
    if (line.kind == LINE_NAME)
    {
        StoreName((char*)line.field, text ? text : line.fallbackName);
        return text != nullptr;
    }
    if (line.kind == LINE_KEY)
    {
        const bool usable = text && IsUsableKey(text[0]);
        *(char*)line.field = usable ? text[0] : (char)line.fallback;
        return usable;
    }

    int64_t value = 0;
    bool usable = text && ParseWholeNumber(text, value) && value >= line.minimum && value <= line.maximum;
    if (line.kind == LINE_JOYSTICK_CODE && usable) usable = IsUsableJoystickCode(line.joystick, value);
    if (!usable) value = line.fallback;

    switch (line.kind)
    {
    case LINE_INT32: *(int32_t*)line.field = (int32_t)value; break;
    case LINE_BYTE:
    case LINE_JOYSTICK_CODE: *(uint8_t*)line.field = (uint8_t)value; break;
    case LINE_FLAG: *(uint8_t*)line.field = value != 0; break;
    case LINE_SCORE: *(uint32_t*)line.field = (uint32_t)value; break;
    }
    return usable;
}

static bool WriteOptionsLine(FILE* file, const char* text)
{
    return fputs(text, file) >= 0 && fputc('\n', file) != EOF;
}

// Reads one line without its line break; the rest of an overlong line is
// skipped so that the lines after it stay in step. False at the end of the file.
static bool ReadOptionsLine(FILE* file, char* text, int size)
{
    if (!fgets(text, size, file)) return false;
    const size_t length = strlen(text);
    if (length > 0 && text[length - 1] == '\n')
    {
        text[length - 1] = '\0';
    }
    else
    {
        int character;
        do character = fgetc(file);
        while (character != '\n' && character != EOF);
    }
    text[strcspn(text, "\r")] = '\0';
    return true;
}

bool Data::BuildOptionsFilePath(char* path, int size) const
{
    const char* const directory = settings ? settings->GetUserConfigPath() : "";
    const int length = snprintf(path, size, "%s%s", directory, OPTIONS_FILE_NAME);
    if (length >= 0 && length < size) return true;

    path[0] = '\0';
    printf("ERROR: The configuration folder's name is too long; options and high scores are not kept\n");
    return false;
}

bool Data::WriteHighScoresAndOptions(const char* path) const
{
    OptionsLine lines[OPTIONS_FILE_LINES];
    if (!ListOptionsFileLines(lines))
    {
        errno = EINVAL;
        return false;
    }
    FILE* file = fopen(path, "w");
    if (!file) return false;

    bool written = true;
    for (int index = 0; index < OPTIONS_FILE_LINES && written; index++)
    {
        char text[OPTIONS_LINE_SIZE];
        FormatOptionsLine(lines[index], text, sizeof(text));
        written = WriteOptionsLine(file, text);
    }
    written = written && fflush(file) == 0 && fsync(fileno(file)) == 0;
    if (fclose(file) != 0) written = false;

    if (written) return true;
    const int failure = errno;
    remove(path);
    errno = failure;
    return false;
}

void Data::SaveHighScoresAndOptions()
{
    if (!OptionsFileKept) return;
    char path[OPTIONS_FILE_PATH_SIZE];
    if (!BuildOptionsFilePath(path, sizeof(path))) return;
    char temporaryPath[TEMPORARY_FILE_PATH_SIZE];
    snprintf(temporaryPath, sizeof(temporaryPath), "%s%s", path, TEMPORARY_FILE_SUFFIX);

    if (!WriteHighScoresAndOptions(temporaryPath))
    {
        printf("ERROR: Could not write the options file %s: %s\n", temporaryPath, strerror(errno));
        return;
    }
    if (rename(temporaryPath, path) != 0)
    {
        printf("ERROR: Could not replace the options file %s: %s\n", path, strerror(errno));
        remove(temporaryPath);
        return;
    }
    KeepSavedFiles();
}

// The first run has no file yet: nothing is found, and the defaults stay.
void Data::ReadOptionsFile(const char* path)
{
    OptionsFileFound = 0;
    OptionsFileLineCount = 0;
    FILE* file = fopen(path, "r");
    if (!file) return;
    OptionsFileFound = 1;
    while (OptionsFileLineCount < OPTIONS_FILE_LINES &&
           ReadOptionsLine(file, OptionsFileLines[OptionsFileLineCount], OPTIONS_LINE_SIZE))
        OptionsFileLineCount++;
    fclose(file);
}

// A line missing from the end, or unusable, gets its default.
void Data::StoreOptionsFileLines(const char* source)
{
    OptionsLine lines[OPTIONS_FILE_LINES];
    if (!OptionsFileFound || !ListOptionsFileLines(lines)) return;

    int replaced = 0;
    for (int index = 0; index < OPTIONS_FILE_LINES; index++)
    {
        const bool present = index < OptionsFileLineCount;
        if (!StoreOptionsLine(lines[index], present ? OptionsFileLines[index] : nullptr)) replaced++;
    }
    if (replaced > 0) printf("ERROR: Options file %s is damaged; %d unusable lines were given their defaults\n", source, replaced);
}

void Data::LoadHighScoresAndOptions()
{
    if (!OptionsFileKept)
    {
        StoreOptionsFileLines("kept in the demo");
        return;
    }
    char path[OPTIONS_FILE_PATH_SIZE];
    if (!BuildOptionsFilePath(path, sizeof(path))) return;
    ReadOptionsFile(path);
    StoreOptionsFileLines(path);
}
