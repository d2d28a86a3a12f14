// The pictures that are not menus: the two logos, the opening and ending
// scenes, and the credits.
#include "visuals/visuals.h"

#include "game/game.h"
#include "logic/logic.h"
#include "screens/screens.h"

const float LOGO_X = 320.0f;
const float LOGO_Y = 240.0f;
// The maker logo is a small picture blown up with hard pixel edges.
const float MAKER_LOGO_SCALE_X = 5.0f;
const float MAKER_LOGO_SCALE_Y = 8.0f;

const float TRADEMARK_RIGHT_MARGIN = 55.0f;
const float TRADEMARK_Y = 295.0f;
const float SLOGAN_Y = 307.0f;
const float WEB_ADDRESS_Y = 447.0f;
static const char MAKER_SLOGAN[] = "Games built one brick at a time";
static const char MAKER_WEB_ADDRESS[] = "www.brickwell-games.example";

static void DrawLogo(unsigned short index)
{
    Sprite& logo = visuals->Sprites[index];
    logo.ScreenX = LOGO_X;
    logo.ScreenY = LOGO_Y;
    visuals->DrawSpriteOntoScreenBuffer(index);
}

void Visuals::DrawSponsorScreen()
{
    ClearScreenBufferWithColor(1.0f, 1.0f, 1.0f, 1.0f);
    DrawLogo(SPRITE_SPONSOR_LOGO);
    screens->ScreenBufferNeedsDisplay = 1;
}

void Visuals::DrawBrickwellScreen()
{
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);

    Sprite& logo = visuals->Sprites[SPRITE_MAKER_LOGO];
    logo.ScaleX = MAKER_LOGO_SCALE_X;
    logo.ScaleY = MAKER_LOGO_SCALE_Y;
    logo.Smooth = false;
    DrawLogo(SPRITE_MAKER_LOGO);

    visuals->DrawTextOntoScreenBuffer("TM", visuals->Font[2], TRADEMARK_RIGHT_MARGIN, TRADEMARK_Y, JUSTIFY_RIGHT,
                                      1, 255, 1, 1, 1, 1);
    visuals->DrawTextOntoScreenBuffer(MAKER_SLOGAN, visuals->Font[1], 0.0f, SLOGAN_Y, JUSTIFY_CENTER_SCREEN,
                                      1, 255, 1, 1, 1, 1);
    visuals->DrawTextOntoScreenBuffer(MAKER_WEB_ADDRESS, visuals->Font[0], 0.0f, WEB_ADDRESS_Y,
                                      JUSTIFY_CENTER_SCREEN, 1, 255, 1, 1, 90, 1);

    screens->ScreenBufferNeedsDisplay = 1;
}

// Green and blue of a tinted sprite: off for the red ghosts.
const float RED_TINT = 0.0f;
const float OWN_COLOURS = 1.0f;

const int GHOST = Screens::SCENE_GHOST;
const int PERSON = Screens::SCENE_PERSON;

static void PlaceSprite(unsigned short index, float x, float y)
{
    visuals->Sprites[index].ScreenX = x;
    visuals->Sprites[index].ScreenY = y;
}

// The actor is copied into its sprite just before drawing: the sprite may
// have been loaded afresh by a resize since the last frame. Other screens
// draw the same pictures at their own size.
static void DrawActor(unsigned short index, const Screens::SceneActor& actor, float greenAndBlue)
{
    Sprite& sprite = visuals->Sprites[index];
    sprite.ScreenX = actor.X;
    sprite.ScreenY = actor.Y;
    sprite.ScaleX = actor.Scale;
    sprite.ScaleY = actor.Scale;
    sprite.GreenHue = greenAndBlue;
    sprite.BlueHue = greenAndBlue;
    visuals->DrawSpriteOntoScreenBuffer(index);
    sprite.ScaleX = 1.0f;
    sprite.ScaleY = 1.0f;
}

void Visuals::DrawOpeningSceneScreen()
{
    const Screens* const flow = screens;
    PlaceSprite(SPRITE_SUPERMARKET, 320.0f, 240.0f);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_SUPERMARKET);
    DrawActor(SPRITE_OPENING_GHOST, flow->SceneActors[GHOST], RED_TINT);
    DrawActor(SPRITE_HEROINE, flow->SceneActors[PERSON], OWN_COLOURS);
}

// The ghost stays red until its scream.
void Visuals::DrawEndingSceneScreen()
{
    const Screens* const flow = screens;
    PlaceSprite(SPRITE_WAREHOUSE, 320.0f, 240.0f);
    visuals->DrawSpriteOntoScreenBuffer(SPRITE_WAREHOUSE);
    DrawActor(SPRITE_HERO_PORTRAIT, flow->SceneActors[PERSON], OWN_COLOURS);
    const float ghostTint = flow->SceneAnimationStage == ENDING_GHOST_GROWING ? RED_TINT : OWN_COLOURS;
    DrawActor(SPRITE_ENDING_GHOST, flow->SceneActors[GHOST], ghostTint);
}

static const float MENU_BACKGROUND_TRANSPARENCY = 0.75f;

// The victory picture: the sunrise, the hero, his sweetheart and a big pellet.
struct VictorySprite
{
    unsigned short sprite;
    float x;
    float y;
    float scale;
};
static const int NUMBER_OF_VICTORY_SPRITES = 4;
static const VictorySprite VICTORY_SPRITES[NUMBER_OF_VICTORY_SPRITES] = {
    {SPRITE_SUNRISE, 320.0f, 240.0f, 1.0f},
    {SPRITE_HERO_PORTRAIT, 460.0f, 240.0f, 1.0f},
    {SPRITE_HEROINE, 210.0f, 260.0f, 1.0f},
    {SPRITE_POWER_PELLET, 62.0f, 95.0f, 1.6f}};

// The board's pictures are drawn at their own size: the big pellet is
// shrunk back once drawn.
static void DrawVictoryPicture()
{
    for (const VictorySprite& picture : VICTORY_SPRITES)
    {
        Sprite& sprite = visuals->Sprites[picture.sprite];
        sprite.ScreenX = picture.x;
        sprite.ScreenY = picture.y;
        sprite.ScaleX = picture.scale;
        sprite.ScaleY = picture.scale;
        visuals->DrawSpriteOntoScreenBuffer(picture.sprite);
        sprite.ScaleX = 1.0f;
        sprite.ScaleY = 1.0f;
    }
}

static void DrawCreditsBackground()
{
    if (logic->Level >= WON_LEVEL)
    {
        DrawVictoryPicture();
        return;
    }
    visuals->ClearScreenBufferWithColor(0.0f, 0.0f, 0.0f, 1.0f);
    Sprite& background = visuals->Sprites[SPRITE_MENU_BACKGROUND];
    background.ScreenX = 320.0f;
    background.ScreenY = 240.0f;
    background.Transparency = MENU_BACKGROUND_TRANSPARENCY;
    if (game->AboutBackgroundHidden == 0) visuals->DrawSpriteOntoScreenBuffer(SPRITE_MENU_BACKGROUND);
}

// Each line where the credits have rolled it, from its own texture.
void Visuals::DrawAboutScreen()
{
    DrawCreditsBackground();
    const int last = LastLoadedTextIndex;
    for (int index = 0; index <= last && index < NUMBER_OF_CREDIT_LINES; index++)
    {
        LoadedText& line = Texts[index];
        line.ScreenX = index < 3 ? FIRST_CREDIT_LINES_X[index] : CREDIT_LINE_X;
        line.ScreenY = CreditLineY(index) - screens->CreditsScrolled;
        DrawLoadedTextOntoScreenBuffer(index, line.ScreenX, line.ScreenY);
    }
    screens->ScreenBufferNeedsDisplay = 1;
}
