#include "screens/screens.h"

#include "audio/audio.h"
#include "input/input.h"
#include "visuals/visuals.h"

// Sprites of the two scenes.
const unsigned short SUPERMARKET_SPRITE = 110;
const unsigned short WAREHOUSE_SPRITE = 111;
const unsigned short HERO_SPRITE = 121;
const unsigned short HEROINE_SPRITE = 130;
const unsigned short OPENING_GHOST_SPRITE = 140;
const unsigned short ENDING_GHOST_SPRITE = 141;

// Opening scene: the ghost glides in by 2 a frame, screams once beside the
// heroine, then both run off to the left by 5 a frame.
const float OPENING_GHOST_START_X = 840.0f;
const float OPENING_ACTORS_Y = 290.0f;
const float OPENING_HEROINE_X = 320.0f;
const float GHOST_GLIDE_STOP_X = 470.0f;
const float GHOST_SCREAM_X = 468.0f;
const float CHASE_END_X = -200.0f;
const float GHOST_GLIDE_SPEED = 2.0f;  // units per frame
const float CHASE_SPEED = 5.0f;        // units per frame

// Ending scene: the ghost grows to full size, screams and turns to its own
// colours; then the hero grows to twice his size while the ghost sinks.
enum
{
    ENDING_GHOST_GROWING = 0,
    ENDING_HERO_GROWING = 1,
    ENDING_FINISHED = 2
};
const float ENDING_ACTORS_X = 320.0f;
const float ENDING_ACTORS_Y = 300.0f;
const float ENDING_START_SCALE = 0.2f;
const float GHOST_GROWTH_PER_FRAME = 0.005f;
const float GHOST_FULL_SCALE = 1.0f;
const float HERO_GROWTH_PER_FRAME = 0.0095f;
const float HERO_FULL_SCALE = 2.0f;
const float GHOST_SINK_PER_FRAME = 5.0f;

static void PlaceSprite(unsigned short index, float x, float y)
{
    visuals->Sprites[index].ScreenX = x;
    visuals->Sprites[index].ScreenY = y;
}

static void ScaleSprite(unsigned short index, float scale)
{
    visuals->Sprites[index].ScaleX = scale;
    visuals->Sprites[index].ScaleY = scale;
}

static void TintSprite(unsigned short index, float greenAndBlue)
{
    visuals->Sprites[index].GreenHue = greenAndBlue;
    visuals->Sprites[index].BlueHue = greenAndBlue;
}

// Space, Enter, a left click or button one of any source cuts a scene short.
static bool ScenePlayerWantsToSkip()
{
    const char key = input->KeyOnKeyboardPressedByUser;
    return key == '_' || key == '/' || input->MouseButtonPressed[0] || input->JoystickButtonOne[INPUT_ALL] == 1;
}

static void StartScene(Screens* flow)
{
    flow->ScreenTransitionStatus = FADE_IN;
    flow->ScreenFadeTransparency = 1.0f;
    Mix_PauseMusic();
}

static void AskForSceneRedraw(Screens* flow)
{
    flow->ScreenIsDirty = 1;
    flow->ScreenBufferNeedsDisplay = 1;
}

static void SkipSceneWhenAsked(Screens* flow)
{
    if (ScenePlayerWantsToSkip()) flow->ScreenTransitionStatus = FADE_OUT;
}

static void StartOpeningScene(Screens* flow)
{
    StartScene(flow);
    PlaceSprite(HEROINE_SPRITE, OPENING_HEROINE_X, OPENING_ACTORS_Y);
    PlaceSprite(OPENING_GHOST_SPRITE, OPENING_GHOST_START_X, OPENING_ACTORS_Y);
    TintSprite(OPENING_GHOST_SPRITE, 0.0f);
}

static void DrawOpeningScene()
{
    PlaceSprite(SUPERMARKET_SPRITE, 320.0f, 240.0f);
    visuals->DrawSpriteOntoScreenBuffer(SUPERMARKET_SPRITE);
    visuals->DrawSpriteOntoScreenBuffer(OPENING_GHOST_SPRITE);
    visuals->DrawSpriteOntoScreenBuffer(HEROINE_SPRITE);
}

static void MoveOpeningActors(Screens* flow)
{
    float& ghostX = visuals->Sprites[OPENING_GHOST_SPRITE].ScreenX;
    if (ghostX > GHOST_GLIDE_STOP_X)
    {
        ghostX -= GHOST_GLIDE_SPEED;
    }
    else if (ghostX > GHOST_SCREAM_X)
    {
        ghostX = GHOST_SCREAM_X;
        audio->PlayDigitalSoundFX(SFX_WOMAN_SCREAM, 0);
    }
    else if (ghostX <= CHASE_END_X)
    {
        flow->ScreenTransitionStatus = FADE_OUT;
    }
    else
    {
        visuals->Sprites[HEROINE_SPRITE].ScreenX -= CHASE_SPEED;
        ghostX -= CHASE_SPEED;
    }
}

void Screens::DisplayOpeningSceneScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartOpeningScene(this);

    DrawOpeningScene();
    MoveOpeningActors(this);
    AskForSceneRedraw(this);
    SkipSceneWhenAsked(this);

    if (ScreenHasFadedOut()) ScreenToDisplay = PLAYING_GAME_SCREEN;
}

static void StartEndingScene(Screens* flow)
{
    StartScene(flow);
    PlaceSprite(WAREHOUSE_SPRITE, 320.0f, 240.0f);
    PlaceSprite(HERO_SPRITE, ENDING_ACTORS_X, ENDING_ACTORS_Y);
    ScaleSprite(HERO_SPRITE, ENDING_START_SCALE);
    PlaceSprite(ENDING_GHOST_SPRITE, ENDING_ACTORS_X, ENDING_ACTORS_Y);
    ScaleSprite(ENDING_GHOST_SPRITE, ENDING_START_SCALE);
    TintSprite(ENDING_GHOST_SPRITE, 0.0f);
    flow->SceneAnimationStage = ENDING_GHOST_GROWING;
}

static void DrawEndingScene()
{
    visuals->DrawSpriteOntoScreenBuffer(WAREHOUSE_SPRITE);
    visuals->DrawSpriteOntoScreenBuffer(HERO_SPRITE);
    visuals->DrawSpriteOntoScreenBuffer(ENDING_GHOST_SPRITE);
}

static void GrowEndingGhost(Screens* flow)
{
    Sprite& ghost = visuals->Sprites[ENDING_GHOST_SPRITE];
    ghost.ScaleX += GHOST_GROWTH_PER_FRAME;
    ghost.ScaleY += GHOST_GROWTH_PER_FRAME;
    if (ghost.ScaleX <= GHOST_FULL_SCALE) return;

    audio->PlayDigitalSoundFX(SFX_EAT_PELLET, 0);
    audio->PlayDigitalSoundFX(SFX_GHOST_SCREAM, 0);
    TintSprite(ENDING_GHOST_SPRITE, 1.0f);
    flow->SceneAnimationStage = ENDING_HERO_GROWING;
}

static void GrowEndingHero(Screens* flow)
{
    Sprite& hero = visuals->Sprites[HERO_SPRITE];
    hero.ScaleX += HERO_GROWTH_PER_FRAME;
    hero.ScaleY += HERO_GROWTH_PER_FRAME;
    visuals->Sprites[ENDING_GHOST_SPRITE].ScreenY += GHOST_SINK_PER_FRAME;
    if (hero.ScaleX <= HERO_FULL_SCALE) return;

    audio->PlayDigitalSoundFX(SFX_EAT_GHOST, 0);
    flow->SceneAnimationStage = ENDING_FINISHED;
    flow->ScreenTransitionStatus = FADE_OUT;
}

static void AnimateEndingScene(Screens* flow)
{
    if (flow->SceneAnimationStage == ENDING_GHOST_GROWING)
        GrowEndingGhost(flow);
    else if (flow->SceneAnimationStage == ENDING_HERO_GROWING)
        GrowEndingHero(flow);
}

static void LeaveEndingScene(Screens* flow)
{
    flow->ScreenToDisplay = ABOUT_SCREEN;
    ScaleSprite(HERO_SPRITE, 1.0f);
    ScaleSprite(ENDING_GHOST_SPRITE, 1.0f);
    Mix_ResumeMusic();
    audio->PlayMusic(MUSIC_ENDING, 0);
}

void Screens::DisplayEndingSceneScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartEndingScene(this);

    DrawEndingScene();
    AnimateEndingScene(this);
    AskForSceneRedraw(this);
    SkipSceneWhenAsked(this);

    if (ScreenHasFadedOut()) LeaveEndingScene(this);
}
