#include "demos/demos.h"

#include <inttypes.h>
#include <stddef.h>
#include <string.h>

#include "audio/audio.h"
#include "game/game.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"

// Each field that decides the game's course, by name: into the digest, or
// written out as text to compare a desync with.
struct StateReader
{
    Digest* Into;
    FILE* Text;
    bool Written;

    void Field(const char* name, int64_t value)
    {
        if (Into) Into->AddNumber(value);
        if (Text) Written = fprintf(Text, "%s %" PRId64 "\n", name, value) > 0 && Written;
    }

    void Field(const char* name, float value)
    {
        if (Into) Into->AddFloat(value);
        if (Text) Written = fprintf(Text, "%s %.9g\n", name, value) > 0 && Written;
    }

    template <typename T, size_t COUNT>
    void Field(const char* name, const T (&values)[COUNT])
    {
        for (size_t index = 0; index < COUNT; index++)
        {
            char element[96];  // the digest needs no names
            const bool named = Text && snprintf(element, sizeof(element), "%s[%zu]", name, index) > 0;
            Field(named ? element : name, values[index]);
        }
    }

    // The events of a frame, as they wait out an input pause.
    void Field(const char* name, const FrameInput& events)
    {
        static const char* const NAMES[] = {"Key", "Escape", "KeyBeforeEscape", "Focus", "ResizeWidth", "ResizeHeight"};
        const int64_t values[] = {events.Key,   events.Escape,      events.KeyBeforeEscape,
                                  events.Focus, events.ResizeWidth, events.ResizeHeight};
        for (size_t index = 0; index < sizeof(values) / sizeof(values[0]); index++)
        {
            char field[96];
            snprintf(field, sizeof(field), "%s.%s", name, NAMES[index]);
            Field(field, values[index]);
        }
    }

    // Integers of every width go in as numbers, whatever their type.
    template <typename T>
    void Field(const char* name, const T& value)
    {
        Field(name, (int64_t)value);
    }
};

#define READ(object, field) reader.Field(#object "." #field, object->field)

// A class that grows a field fails to build here until the field is read
// below, or named as left out: the sizes are those of a 64-bit build.
#define CHECK_SIZE(type, size) \
    static_assert(sizeof(void*) != 8 || sizeof(type) == (size), \
                  #type " changed: read its new field in the game's state (src/demos/state.cpp), or name it as left out, and set its size here")

// Left out: the frame clock and its statistics, which only time the frames.
CHECK_SIZE(Game, 96);
static void ReadGame(StateReader& reader)
{
    READ(game, FatalError);
    READ(game, QuitGame);
    READ(game, DebugOn);
    READ(game, AboutBackgroundHidden);
    READ(game, FrameDelayMilliseconds);
}

// Left out: BoardImage, the board's picture, only read while a board loads;
// and what only shows: the power pellet's swell, and the ghosts as they met
// the hero.
CHECK_SIZE(Logic, 3240);
static void ReadLogic(StateReader& reader)
{
    READ(logic, GameMode);
    READ(logic, PauseLocked);
    READ(logic, GamePaused);
    READ(logic, PlayerJoystick);
    READ(logic, BoundaryLegoMap);
    READ(logic, PelletMap);
    READ(logic, ReturnMap);
    READ(logic, PelletsLeftOnBoard);
    READ(logic, PlayerTileX);
    READ(logic, PlayerTileY);
    READ(logic, PlayerOffsetX);
    READ(logic, PlayerOffsetY);
    READ(logic, PlayerDirection);
    READ(logic, PlayerNextDirection);
    READ(logic, PlayerSpeed);
    READ(logic, Score);
    READ(logic, Lives);
    READ(logic, Level);
    READ(logic, ExtraLivesAwarded);
    READ(logic, PlayerDeathTimer);
    READ(logic, GhostsEatenSincePowerPellet);
    READ(logic, PowerPelletTimer);
    READ(logic, PowerPelletTimeForLevel);
    READ(logic, PowerPelletFlashTimer);
    READ(logic, GhostDrawingOrder);
    READ(logic, GhostActive);
    READ(logic, GhostState);
    READ(logic, GhostAnimationFrame);
    READ(logic, GhostTileX);
    READ(logic, GhostTileY);
    READ(logic, GhostOffsetX);
    READ(logic, GhostOffsetY);
    READ(logic, GhostDirection);
    READ(logic, GhostSpeed);
    READ(logic, GhostChaseCount);
    READ(logic, GhostChaseBlocked);
    READ(logic, GhostStopped);
    READ(logic, RandomWords);
    READ(logic, RandomIndex);
}

// Left out: what a frame leaves for its picture (whether it was drawn, which
// screen ran and whether its picture is due). The redraw flag is in: the
// sponsor's logo times itself from its redraw.
CHECK_SIZE(Screens, 56);
static void ReadScreens(StateReader& reader)
{
    READ(screens, ScreenFadeTransparency);
    READ(screens, ScreenTransitionStatus);
    READ(screens, ScreenToDisplay);
    READ(screens, ScreenExitedWithEscapeKey);
    READ(screens, ScreenIsDirty);
    READ(screens, SceneAnimationStage);
    READ(screens, ScreenDisplayTimer);
    for (const Screens::SceneActor& actor : screens->SceneActors)
    {
        reader.Field("actor.X", actor.X);
        reader.Field("actor.Y", actor.Y);
        reader.Field("actor.Scale", actor.Scale);
    }
    READ(screens, CreditsScrolled);
}

// Left out: each widget's mirroring, which only shows. Where a widget stands
// and how big it is decide what a click hits.
CHECK_SIZE(Interface, 1136);
static void ReadInterface(StateReader& reader)
{
    READ(interface, CurrentlySelectedButton);
    READ(interface, CurrentlySelectedArrowSet);
    READ(interface, ArrowSetArrowPressed);
    for (const InterfaceSprite& widget : interface->InterfaceSprites)
    {
        reader.Field("widget.ScreenIndex", widget.ScreenIndex);
        reader.Field("widget.ScreenX", widget.ScreenX);
        reader.Field("widget.ScreenY", widget.ScreenY);
        reader.Field("widget.ImageWidth", widget.ImageWidth);
        reader.Field("widget.ImageHeight", widget.ImageHeight);
        reader.Field("widget.HitBoxTrimX", widget.HitBoxTrimX);
        reader.Field("widget.HitBoxTrimY", widget.HitBoxTrimY);
        reader.Field("widget.PressedAnimationTimer", widget.PressedAnimationTimer);
    }
}

// The events of FrameInput come before its clicks and held controls, which
// no pause keeps.
static_assert(offsetof(FrameInput, Click) == 8, "an event added to FrameInput: read it in the queued events' Field above");

// Left out: what reads the devices (the mouse buttons' last state and
// presses, the focus count and the pointer's window), which a playback does
// not read; and the pointer, which counts only where a click is, and a click
// brings its own place.
CHECK_SIZE(Input, 168);
static void ReadInput(StateReader& reader)
{
    READ(input, KeyOnKeyboardPressedByUser);
    READ(input, JoystickDirection);
    READ(input, JoystickButtonOne);
    READ(input, JoystickButtonTwo);
    READ(input, JoystickButtonOneHeld);
    READ(input, JoystickButtonTwoHeld);
    READ(input, JoystickNumberOfButtons);
    READ(input, JoystickNumberOfAxes);
    READ(input, JoystickNumberOfHats);
    READ(input, JoyMapUP);
    READ(input, JoyMapDOWN);
    READ(input, JoyMapLEFT);
    READ(input, JoyMapRIGHT);
    READ(input, JoyMapButtonOne);
    READ(input, JoyMapButtonTwo);
    READ(input, JoystickSetupProcess);
    READ(input, KeyboardSetupProcess);
    READ(input, UserDefinedKeyButtonOne);
    READ(input, UserDefinedKeyButtonTwo);
    READ(input, MouseButtonPressed);
    READ(input, DelayAllUserInput);
    READ(input, QueuedEvents);
    READ(input, ControlMoved);
    READ(input, WindowLostFocus);
    READ(input, JoystickPlugged);
}

// Left out: the options file's lines as the session found them, which a
// demo keeps in its header, and whether the file is the player's to write.
CHECK_SIZE(Data, 9864);
static void ReadData(StateReader& reader)
{
    READ(data, HighScoresName);
    READ(data, HighScoresLevel);
    READ(data, HighScoresScore);
    READ(data, NameInputArrayIndex);
    READ(data, PlayerRankOnGameOver);
    READ(data, NameInputJoyCharX);
    READ(data, NameInputJoyCharY);
    READ(data, NameInputJoyChar);
}

// Left out: the frame's sounds, played and emptied at each frame's end, and
// whether the device plays them.
CHECK_SIZE(Audio, 416);
static void ReadAudio(StateReader& reader)
{
    READ(audio, MusicVolume);
    READ(audio, CurrentlySelectedMusicTrack);
    READ(audio, SoundVolume);
}

static void ReadGameState(StateReader& reader)
{
    ReadGame(reader);
    ReadLogic(reader);
    ReadScreens(reader);
    ReadInterface(reader);
    ReadInput(reader);
    ReadData(reader);
    ReadAudio(reader);
}

uint64_t DigestOfGameState()
{
    Digest digest;
    StateReader reader = {&digest, nullptr, true};
    ReadGameState(reader);
    return digest.Value;
}

bool WriteGameState(FILE* file)
{
    StateReader reader = {nullptr, file, true};
    ReadGameState(reader);
    return reader.Written;
}
