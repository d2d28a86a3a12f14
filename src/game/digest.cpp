#include <string.h>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "input/input.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "visuals/visuals.h"

const uint64_t FNV_PRIME = 1099511628211ull;

void Digest::AddBytes(const void* bytes, size_t count)
{
    const uint8_t* const byte = static_cast<const uint8_t*>(bytes);
    for (size_t index = 0; index < count; index++) Value = (Value ^ byte[index]) * FNV_PRIME;
}

void Digest::AddNumber(int64_t number)
{
    uint8_t bytes[8];
    for (int index = 0; index < 8; index++) bytes[index] = (uint8_t)((uint64_t)number >> (8 * index));
    AddBytes(bytes, sizeof(bytes));
}

void Digest::AddFloat(float number)
{
    uint32_t bits = 0;
    memcpy(&bits, &number, sizeof(bits));
    AddNumber(bits);
}

template <typename T, size_t COUNT>
static void AddNumbers(Digest& digest, const T (&numbers)[COUNT])
{
    for (const T& number : numbers) digest.AddNumber(number);
}

static void AddGame(Digest& digest)
{
    digest.AddNumber(game->QuitGame);
    digest.AddNumber(game->DebugOn);
    digest.AddNumber(game->AboutBackgroundHidden);
    digest.AddNumber(game->FrameDelayMilliseconds);
}

static void AddLogic(Digest& digest)
{
    digest.AddNumber(logic->GameMode);
    digest.AddNumber(logic->PauseLocked);
    digest.AddNumber(logic->GamePaused);
    digest.AddNumber(logic->PlayerJoystick);
    digest.AddBytes(logic->BoundaryLegoMap, sizeof(logic->BoundaryLegoMap));
    digest.AddBytes(logic->PelletMap, sizeof(logic->PelletMap));
    digest.AddBytes(logic->ReturnMap, sizeof(logic->ReturnMap));
    digest.AddNumber(logic->PelletsLeftOnBoard);
    digest.AddNumber(logic->PlayerTileX);
    digest.AddNumber(logic->PlayerTileY);
    digest.AddNumber(logic->PlayerOffsetX);
    digest.AddNumber(logic->PlayerOffsetY);
    digest.AddNumber(logic->PlayerDirection);
    digest.AddNumber(logic->PlayerNextDirection);
    digest.AddNumber(logic->PlayerSpeed);
    digest.AddNumber(logic->Score);
    digest.AddNumber(logic->Lives);
    digest.AddNumber(logic->Level);
    digest.AddNumber(logic->ExtraLivesAwarded);
    digest.AddNumber(logic->PlayerDeathTimer);
    digest.AddNumber(logic->GhostsEatenSincePowerPellet);
    digest.AddNumber(logic->PowerPelletTimer);
    AddNumbers(digest, logic->PowerPelletTimeForLevel);
    digest.AddNumber(logic->PowerPelletFlashTimer);
    digest.AddNumber(logic->GhostDrawingOrder);
    digest.AddNumber(logic->GhostAnimationFrame);
    AddNumbers(digest, logic->GhostActive);
    AddNumbers(digest, logic->GhostState);
    AddNumbers(digest, logic->GhostTileX);
    AddNumbers(digest, logic->GhostTileY);
    AddNumbers(digest, logic->GhostOffsetX);
    AddNumbers(digest, logic->GhostOffsetY);
    AddNumbers(digest, logic->GhostDirection);
    AddNumbers(digest, logic->GhostSpeed);
    AddNumbers(digest, logic->GhostChaseCount);
    AddNumbers(digest, logic->GhostChaseBlocked);
    AddNumbers(digest, logic->GhostStopped);
}

// The redraw flags are left out: they decide the picture, not the game.
static void AddScreens(Digest& digest)
{
    digest.AddFloat(screens->ScreenFadeTransparency);
    digest.AddNumber(screens->ScreenTransitionStatus);
    digest.AddNumber(screens->ScreenToDisplay);
    digest.AddNumber(screens->ScreenExitedWithEscapeKey);
    digest.AddNumber(screens->SceneAnimationStage);
    digest.AddNumber(screens->ScreenDisplayTimer);
}

// Where the widgets stand and how big they are decide what a click hits.
static void AddInterface(Digest& digest)
{
    digest.AddNumber(interface->CurrentlySelectedButton);
    digest.AddNumber(interface->CurrentlySelectedArrowSet);
    digest.AddNumber(interface->ArrowSetArrowPressed);
    for (const InterfaceSprite& widget : interface->InterfaceSprites)
    {
        digest.AddNumber(widget.ScreenIndex);
        digest.AddFloat(widget.ScreenX);
        digest.AddFloat(widget.ScreenY);
        digest.AddFloat(widget.ImageWidth);
        digest.AddFloat(widget.ImageHeight);
        digest.AddFloat(widget.HitBoxTrimX);
        digest.AddFloat(widget.HitBoxTrimY);
        digest.AddNumber(widget.PressedAnimationTimer);
    }
}

// The mappings and set-up steps; what the player pressed this frame is the
// input itself, not the state it meets.
static void AddInput(Digest& digest)
{
    AddNumbers(digest, input->JoystickButtonOneHeld);
    AddNumbers(digest, input->JoystickButtonTwoHeld);
    AddNumbers(digest, input->JoyMapUP);
    AddNumbers(digest, input->JoyMapDOWN);
    AddNumbers(digest, input->JoyMapLEFT);
    AddNumbers(digest, input->JoyMapRIGHT);
    AddNumbers(digest, input->JoyMapButtonOne);
    AddNumbers(digest, input->JoyMapButtonTwo);
    digest.AddNumber(input->JoystickSetupProcess);
    digest.AddNumber(input->KeyboardSetupProcess);
    digest.AddNumber(input->UserDefinedKeyButtonOne);
    digest.AddNumber(input->UserDefinedKeyButtonTwo);
    digest.AddNumber(input->DelayAllUserInput);
    digest.AddNumber(input->WindowLostFocus);
}

static void AddData(Digest& digest)
{
    digest.AddBytes(data->HighScoresName, sizeof(data->HighScoresName));
    digest.AddBytes(data->HighScoresLevel, sizeof(data->HighScoresLevel));
    for (const auto& table : data->HighScoresScore) AddNumbers(digest, table);
    digest.AddNumber(data->NameInputArrayIndex);
    digest.AddNumber(data->PlayerRankOnGameOver);
    digest.AddNumber(data->NameInputJoyCharX);
    digest.AddNumber(data->NameInputJoyCharY);
    digest.AddNumber(data->NameInputJoyChar);
}

// The scenes move their actors, and the credits their lines: where they
// stand decides when a scene ends.
static void AddPlacedPictures(Digest& digest)
{
    for (const Sprite& sprite : visuals->Sprites)
    {
        digest.AddFloat(sprite.ScreenX);
        digest.AddFloat(sprite.ScreenY);
        digest.AddFloat(sprite.ScaleX);
        digest.AddFloat(sprite.ScaleY);
    }
    digest.AddNumber(visuals->LastLoadedTextIndex);
    for (const LoadedText& text : visuals->Texts)
    {
        digest.AddFloat(text.ScreenX);
        digest.AddFloat(text.ScreenY);
    }
}

uint64_t DigestOfGameState()
{
    Digest digest;
    AddGame(digest);
    AddLogic(digest);
    AddScreens(digest);
    AddInterface(digest);
    AddInput(digest);
    AddData(digest);
    digest.AddNumber(audio->MusicVolume);
    digest.AddNumber(audio->SoundVolume);
    AddPlacedPictures(digest);
    return digest.Value;
}
