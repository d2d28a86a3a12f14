#include "screens/screens.h"

#include "audio/audio.h"
#include "input/input.h"
#include "visuals/visuals.h"

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
    PlaceSprite(SPRITE_HEROINE, OPENING_HEROINE_X, OPENING_ACTORS_Y);
    PlaceSprite(SPRITE_OPENING_GHOST, OPENING_GHOST_START_X, OPENING_ACTORS_Y);
    TintSprite(SPRITE_OPENING_GHOST, 0.0f);
}

static void DrawOpeningScene()
{
    PlaceSprite(SPRITE_SUPERMARKET, 320.0f, 240.0f);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_SUPERMARKET);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_OPENING_GHOST);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_HEROINE);
}

static void MoveOpeningActors(Screens* flow)
{
    float& ghostX = visuals->Sprites[SPRITE_OPENING_GHOST].ScreenX;
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
        visuals->Sprites[SPRITE_HEROINE].ScreenX -= CHASE_SPEED;
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
    PlaceSprite(SPRITE_WAREHOUSE, 320.0f, 240.0f);
    PlaceSprite(SPRITE_HERO_PORTRAIT, ENDING_ACTORS_X, ENDING_ACTORS_Y);
    ScaleSprite(SPRITE_HERO_PORTRAIT, ENDING_START_SCALE);
    PlaceSprite(SPRITE_ENDING_GHOST, ENDING_ACTORS_X, ENDING_ACTORS_Y);
    ScaleSprite(SPRITE_ENDING_GHOST, ENDING_START_SCALE);
    TintSprite(SPRITE_ENDING_GHOST, 0.0f);
    flow->SceneAnimationStage = ENDING_GHOST_GROWING;
}

static void DrawEndingScene()
{
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_WAREHOUSE);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_HERO_PORTRAIT);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_ENDING_GHOST);
}

static void GrowEndingGhost(Screens* flow)
{
    Sprite& ghost = visuals->Sprites[SPRITE_ENDING_GHOST];
    ghost.ScaleX += GHOST_GROWTH_PER_FRAME;
    ghost.ScaleY += GHOST_GROWTH_PER_FRAME;
    if (ghost.ScaleX <= GHOST_FULL_SCALE) return;

    audio->PlayDigitalSoundFX(SFX_EAT_PELLET, 0);
    audio->PlayDigitalSoundFX(SFX_GHOST_SCREAM, 0);
    TintSprite(SPRITE_ENDING_GHOST, 1.0f);
    flow->SceneAnimationStage = ENDING_HERO_GROWING;
}

static void GrowEndingHero(Screens* flow)
{
    Sprite& hero = visuals->Sprites[SPRITE_HERO_PORTRAIT];
    hero.ScaleX += HERO_GROWTH_PER_FRAME;
    hero.ScaleY += HERO_GROWTH_PER_FRAME;
    visuals->Sprites[SPRITE_ENDING_GHOST].ScreenY += GHOST_SINK_PER_FRAME;
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
    ScaleSprite(SPRITE_HERO_PORTRAIT, 1.0f);
    ScaleSprite(SPRITE_ENDING_GHOST, 1.0f);
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
