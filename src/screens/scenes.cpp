#include "screens/screens.h"

#include "audio/audio.h"
#include "input/input.h"

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
const float ENDING_ACTORS_X = 320.0f;
const float ENDING_ACTORS_Y = 300.0f;
const float ENDING_START_SCALE = 0.2f;
const float GHOST_GROWTH_PER_FRAME = 0.005f;
const float GHOST_FULL_SCALE = 1.0f;
const float HERO_GROWTH_PER_FRAME = 0.0095f;
const float HERO_FULL_SCALE = 2.0f;
const float GHOST_SINK_PER_FRAME = 5.0f;

// Each scene has two actors: its ghost, and the heroine (opening) or the hero (ending).
const int GHOST = Screens::SCENE_GHOST;
const int PERSON = Screens::SCENE_PERSON;

// Space, Enter, a left click or button one of any source cuts a scene short.
static bool ScenePlayerWantsToSkip()
{
    const char key = screens->Command.Key;
    return key == '_' || key == '/' || screens->Command.Click[0] || screens->Command.ButtonOne[INPUT_ALL] == 1;
}

static void StartScene(Screens* flow)
{
    flow->ScreenTransitionStatus = FADE_IN;
    flow->ScreenFadeTransparency = 1.0f;
    audio->PauseMusic();
}

// A scene is drawn afresh every frame.
static void AskForSceneRedraw(Screens* flow)
{
    flow->ScreenIsDirty = 1;
    flow->ScreenRedrawDue = 1;
}

static void SkipSceneWhenAsked(Screens* flow)
{
    if (ScenePlayerWantsToSkip()) flow->ScreenTransitionStatus = FADE_OUT;
}

static void StartOpeningScene(Screens* flow)
{
    StartScene(flow);
    flow->SceneActors[PERSON] = Screens::SceneActor{OPENING_HEROINE_X, OPENING_ACTORS_Y, 1.0f};
    flow->SceneActors[GHOST] = Screens::SceneActor{OPENING_GHOST_START_X, OPENING_ACTORS_Y, 1.0f};
}

static void MoveOpeningActors(Screens* flow)
{
    float& ghostX = flow->SceneActors[GHOST].X;
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
        flow->SceneActors[PERSON].X -= CHASE_SPEED;
        ghostX -= CHASE_SPEED;
    }
}

void Screens::RunOpeningSceneScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartOpeningScene(this);

    MoveOpeningActors(this);
    AskForSceneRedraw(this);
    SkipSceneWhenAsked(this);

    if (ScreenHasFadedOut()) ScreenToDisplay = PLAYING_GAME_SCREEN;
}

static void StartEndingScene(Screens* flow)
{
    StartScene(flow);
    flow->SceneActors[PERSON] = Screens::SceneActor{ENDING_ACTORS_X, ENDING_ACTORS_Y, ENDING_START_SCALE};
    flow->SceneActors[GHOST] = Screens::SceneActor{ENDING_ACTORS_X, ENDING_ACTORS_Y, ENDING_START_SCALE};
    flow->SceneAnimationStage = ENDING_GHOST_GROWING;
}

static void GrowEndingGhost(Screens* flow)
{
    float& ghostScale = flow->SceneActors[GHOST].Scale;
    ghostScale += GHOST_GROWTH_PER_FRAME;
    if (ghostScale <= GHOST_FULL_SCALE) return;

    audio->PlayDigitalSoundFX(SFX_EAT_PELLET, 0);
    audio->PlayDigitalSoundFX(SFX_GHOST_SCREAM, 0);
    flow->SceneAnimationStage = ENDING_HERO_GROWING;
}

static void GrowEndingHero(Screens* flow)
{
    float& heroScale = flow->SceneActors[PERSON].Scale;
    heroScale += HERO_GROWTH_PER_FRAME;
    flow->SceneActors[GHOST].Y += GHOST_SINK_PER_FRAME;
    if (heroScale <= HERO_FULL_SCALE) return;

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
    audio->ResumeMusic();
    audio->PlayMusic(MUSIC_ENDING, 0);
}

void Screens::RunEndingSceneScreen()
{
    if (ScreenTransitionStatus == FADE_ALL) StartEndingScene(this);

    AnimateEndingScene(this);
    AskForSceneRedraw(this);
    SkipSceneWhenAsked(this);

    if (ScreenHasFadedOut()) LeaveEndingScene(this);
}
