// Per-frame costs on the real OpenGL stack: the playing screen at level 5
// beside a bare loop drawing its quads the prescribed way (each picture as
// one whole blended quad), in the game's own window and stretched over
// larger ones; the title screen, one text draw and one logic-only frame.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <memory>

#include <SDL_mixer.h>

#include <GL/gl.h>

#include "bench_setup.h"
#include "frame_bench.h"
#include "input/input.h"
#include "logic/logic.h"
#include "screens/screens.h"
#include "support/test_environment.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

// The wanted moment of play: enough ghosts in view, none about to touch.
const int GHOSTS_IN_VIEW_WANTED = 4;
const int SAFE_DISTANCE_PIXELS = 128;
const int FRAMES_TO_FIND_THE_MOMENT = 4000;
const int LAST_LEVEL = 5;
const uint8_t SPARE_LIVES = 3;
const unsigned RANDOM_SEED = 1;
// The hero turns now and then even in a long corridor, one frame in this many.
const int TURN_ONE_FRAME_IN = 40;
// Logic frames between two returns to the saved moment.
const int LOGIC_FRAMES_PER_RESTORE = 256;

static const uint8_t TURN_AFTER[8] = {RIGHT, RIGHT, RIGHT, DOWN, DOWN, LEFT, LEFT, UP};

// The game running in a temporary folder, and one saved moment of level 5.
struct SavedPlay
{
    std::unique_ptr<TemporaryWorkingDirectory> directory;
    Logic moment;
    Sprite sprites[NUMBER_OF_SPRITES];
    uint8_t direction = RIGHT;
    bool ready = false;
};
static SavedPlay saved;

static int GhostsInView(int* nearest)
{
    int count = 0;
    *nearest = 1 << 30;
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        if (!logic->GhostActive[ghost]) continue;
        const int columns = logic->GhostTileX[ghost] - logic->PlayerTileX;
        const int rows = logic->GhostTileY[ghost] - logic->PlayerTileY;
        if (abs(columns) > BOARD_WINDOW_HALF_COLUMNS || abs(rows) > BOARD_WINDOW_HALF_ROWS) continue;
        count++;
        const int distance = TILE_SIZE * (abs(columns) + abs(rows));
        if (distance < *nearest) *nearest = distance;
    }
    return count;
}

static void RunPlayingFrame()
{
    screens->RunCurrentScreen();
    screens->ApplyScreenFadeTransition();
    visuals->DrawFrame();
    if (screens->ScreenBufferNeedsDisplay) visuals->DisplayScreenBufferOntoDisplay();
    screens->ScreenBufferNeedsDisplay = 0;
}

// Plays level 5 with the hero running and turning until enough ghosts are
// in view and the hero is alive, moving and safe for now.
static void FindTheMomentOfPlay()
{
    screens->ScreenToDisplay = PLAYING_GAME_SCREEN;
    screens->ScreenTransitionStatus = FADE_ALL;
    screens->ScreenDisplayTimer = -1;  // as the logo screens leave it
    srand(RANDOM_SEED);  // the bench's own turns
    logic->SeedRandomGenerator(RANDOM_SEED);
    RunPlayingFrame();
    logic->Level = LAST_LEVEL - 1;
    logic->SetupForNewBoard();

    for (int frame = 0; frame < FRAMES_TO_FIND_THE_MOMENT; frame++)
    {
        const uint8_t tileX = logic->PlayerTileX;
        const uint8_t tileY = logic->PlayerTileY;
        const int8_t offsetX = logic->PlayerOffsetX;
        const int8_t offsetY = logic->PlayerOffsetY;
        screens->Command.Direction[INPUT_ALL] = saved.direction;
        logic->Lives = SPARE_LIVES;  // a caught hero must not end the search
        RunPlayingFrame();
        const bool moved = tileX != logic->PlayerTileX || tileY != logic->PlayerTileY ||
                           offsetX != logic->PlayerOffsetX || offsetY != logic->PlayerOffsetY;
        if (!moved || rand() % TURN_ONE_FRAME_IN == 0) saved.direction = TURN_AFTER[saved.direction];
        int nearest = 0;
        const bool wanted = GhostsInView(&nearest) >= GHOSTS_IN_VIEW_WANTED && nearest >= SAFE_DISTANCE_PIXELS;
        if (moved && wanted && logic->PlayerDeathTimer == 0 && logic->PowerPelletTimer == 0 &&
            logic->Level == LAST_LEVEL && screens->ScreenTransitionStatus == FADE_NONE)
            return;
    }
}

static void ReturnToTheMomentOfPlay()
{
    // The effects of the frames played since end with them: replayed again
    // and again, the ghosts' chase would keep every channel busy, and each
    // effect dropped prints a line.
    Mix_HaltChannel(-1);
    *logic = saved.moment;
    // The textures are the window's: a resize makes new ones.
    for (int index = 0; index < NUMBER_OF_SPRITES; index++)
    {
        const GLuint texture = visuals->Sprites[index].Texture;
        visuals->Sprites[index] = saved.sprites[index];
        visuals->Sprites[index].Texture = texture;
    }
    screens->ScreenToDisplay = PLAYING_GAME_SCREEN;
    screens->ScreenTransitionStatus = FADE_NONE;
    screens->ScreenFadeTransparency = 0.0f;
    screens->Command.Direction[INPUT_ALL] = saved.direction;
    srand(RANDOM_SEED);  // the bench's own turns
    logic->SeedRandomGenerator(RANDOM_SEED);
}

// The game running in a window of this size (the virtual screen stretched
// over it, as over a player's maximised window); false when it could not be.
static bool EnsureGameRunning(int width = VIRTUAL_SCREEN_WIDTH, int height = VIRTUAL_SCREEN_HEIGHT)
{
    if (!saved.ready)
    {
        saved.directory.reset(new TemporaryWorkingDirectory());
        if (!StartGameObjects())
        {
            StopGameObjects();  // what did start goes, so that the next benchmark starts afresh
            saved.directory.reset();
            return false;
        }
        FindTheMomentOfPlay();
        saved.moment = *logic;
        memcpy(saved.sprites, visuals->Sprites, sizeof(saved.sprites));
        saved.ready = true;
    }
    if (visuals->WindowWidth == width && visuals->WindowHeight == height) return true;
    if (!visuals->ResizeWindow(width, height)) return false;
    ReturnToTheMomentOfPlay();
    RunPlayingFrame();  // the driver takes the new size at the first present
    return true;
}

static void BM_PlayingFrame(benchmark::State& state)
{
    if (!EnsureGameRunning()) return state.SkipWithError("the game did not start");
    const double residentBefore = ResidentKilobytes();
    for (auto _ : state)
    {
        state.PauseTiming();
        ReturnToTheMomentOfPlay();
        state.ResumeTiming();
        RunPlayingFrame();
    }
    state.counters["rss_growth_bytes"] = benchmark::Counter((ResidentKilobytes() - residentBefore) * 1024,
                                                            benchmark::Counter::kAvgIterations);
    int nearest = 0;
    state.counters["ghosts_in_view"] = GhostsInView(&nearest);
    state.counters["hero_alive"] = logic->PlayerDeathTimer == 0;
}

// The hero's tile lies at the screen centre; the rest of the playing
// screen's places are the game's own.
const float SCREEN_CENTRE_X = VIRTUAL_SCREEN_WIDTH / 2, SCREEN_CENTRE_Y = VIRTUAL_SCREEN_HEIGHT / 2;

// One quad of the floor: a texture, its corners and its colour.
struct FloorQuad
{
    GLuint texture;
    float left, top, right, bottom;
    float red, green, blue, alpha;
};
const int MAX_FLOOR_QUADS = 1200;
static FloorQuad floorQuads[MAX_FLOOR_QUADS];
static int floorQuadCount = 0;

static void AddQuad(unsigned short index, float x, float y, float scale = 1.0f)
{
    if (floorQuadCount >= MAX_FLOOR_QUADS) return;
    const Sprite& sprite = visuals->Sprites[index];
    const float halfWidth = scale * (sprite.ImageWidth / 2);
    const float halfHeight = scale * (sprite.ImageHeight / 2);
    floorQuads[floorQuadCount++] = {sprite.Texture,  x - halfWidth,   y - halfHeight,   x + halfWidth,
                                    y + halfHeight,  sprite.RedHue,   sprite.GreenHue,  sprite.BlueHue,
                                    sprite.Transparency};
}

// What one playing frame at the saved moment draws, quad for quad: the static
// behind, the board window, the actors, the mini-map and the television.
static void CollectFloorQuads()
{
    ReturnToTheMomentOfPlay();
    RunPlayingFrame();
    ReturnToTheMomentOfPlay();
    floorQuadCount = 0;
    AddQuad(SPRITE_TV_STATIC, SCREEN_CENTRE_X, SCREEN_CENTRE_Y);
    const int heroX = logic->PlayerTileX;
    const int heroY = logic->PlayerTileY;
    for (int row = heroY - BOARD_WINDOW_HALF_ROWS; row <= heroY + BOARD_WINDOW_HALF_ROWS; row++)
    {
        for (int column = heroX - BOARD_WINDOW_HALF_COLUMNS; column <= heroX + BOARD_WINDOW_HALF_COLUMNS; column++)
        {
            if (row < 0 || row >= BOARD_SIZE || column < 0 || column >= BOARD_SIZE) continue;
            const float x = BOARD_WINDOW_LEFT - logic->PlayerOffsetX + TILE_SIZE * (column - heroX + BOARD_WINDOW_HALF_COLUMNS);
            const float y = BOARD_WINDOW_TOP - logic->PlayerOffsetY + TILE_SIZE * (row - heroY + BOARD_WINDOW_HALF_ROWS);
            if (logic->BoundaryLegoMap[column][row] == 1)
                AddQuad(SPRITE_WALL, x, y);
            else if (logic->PelletMap[column][row] != 0)
                AddQuad(SPRITE_PELLET, x, y);
        }
    }
    AddQuad(SPRITE_HERO_RIGHT, SCREEN_CENTRE_X, SCREEN_CENTRE_Y);
    for (int ghost = 0; ghost < NUMBER_OF_GHOSTS; ghost++)
    {
        const int columns = logic->GhostTileX[ghost] - heroX;
        const int rows = logic->GhostTileY[ghost] - heroY;
        if (!logic->GhostActive[ghost] || abs(columns) > BOARD_WINDOW_HALF_COLUMNS || abs(rows) > BOARD_WINDOW_HALF_ROWS) continue;
        const float x = SCREEN_CENTRE_X + TILE_SIZE * columns - logic->PlayerOffsetX + logic->GhostOffsetX[ghost];
        const float y = SCREEN_CENTRE_Y + TILE_SIZE * rows - logic->PlayerOffsetY + logic->GhostOffsetY[ghost];
        AddQuad(SPRITE_GHOST_BODIES + 2 * ghost, x, y);
        AddQuad(SPRITE_EYES_RIGHT, x, y);
    }
    AddQuad(SPRITE_MAP_BACKGROUND, MAP_BACKGROUND_X, MAP_BACKGROUND_Y);
    for (int x = 0; x < BOARD_SIZE; x++)
    {
        for (int y = 0; y < BOARD_SIZE; y++)
        {
            const float dotX = MAP_LEFT + MAP_DOT_SPACING * x;
            const float dotY = MAP_TOP + MAP_DOT_SPACING * y;
            if (logic->PelletMap[x][y] != 0) AddQuad(SPRITE_MAP_PELLET, dotX, dotY);
            if (x == heroX && y == heroY) AddQuad(SPRITE_MAP_HERO, dotX, dotY);
        }
    }
    AddQuad(SPRITE_TV_FRAME, TV_FRAME_X, TV_FRAME_Y, TV_FRAME_SCALE);
}

// Those quads drawn the prescribed way, each picture as one whole blended
// quad, by a bare loop (one bind when the texture changes, the colour, four
// corners); then the present.
static void DrawFloorQuads()
{
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GLuint bound = 0;
    for (int index = 0; index < floorQuadCount; index++)
    {
        const FloorQuad& quad = floorQuads[index];
        if (quad.texture != bound) glBindTexture(GL_TEXTURE_2D, quad.texture);
        bound = quad.texture;
        glColor4f(quad.red, quad.green, quad.blue, quad.alpha);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(quad.left, quad.top);
        glTexCoord2f(1, 0);
        glVertex2f(quad.right, quad.top);
        glTexCoord2f(1, 1);
        glVertex2f(quad.right, quad.bottom);
        glTexCoord2f(0, 1);
        glVertex2f(quad.left, quad.bottom);
        glEnd();
    }
    visuals->DisplayScreenBufferOntoDisplay();
}

static void BM_FloorOfPlayingFrame(benchmark::State& state)
{
    if (!EnsureGameRunning()) return state.SkipWithError("the game did not start");
    CollectFloorQuads();
    for (auto _ : state)
    {
        state.PauseTiming();
        ReturnToTheMomentOfPlay();
        state.ResumeTiming();
        DrawFloorQuads();
    }
    state.counters["quads"] = floorQuadCount;
}

static void DrawPlayingFrameFromTheMoment()
{
    ReturnToTheMomentOfPlay();
    RunPlayingFrame();
}

static void DrawFloorFromTheMoment()
{
    ReturnToTheMomentOfPlay();
    DrawFloorQuads();
}

// The playing frame and the floor in turn, frame for frame, so that the
// machine's drifting speed weighs on both alike; their ratio is that of the
// sums. Arguments: the window's width and height.
static void BM_PlayingFrameOverFloor(benchmark::State& state)
{
    if (!EnsureGameRunning(state.range(0), state.range(1))) return state.SkipWithError("no game in that window");
    CollectFloorQuads();
    double frameSeconds = 0;
    double floorSeconds = 0;
    for (auto _ : state)
    {
        ReturnToTheMomentOfPlay();
        const double frameStart = SecondsNow();
        RunPlayingFrame();
        const double frameEnd = SecondsNow();
        ReturnToTheMomentOfPlay();
        const double floorStart = SecondsNow();
        DrawFloorQuads();
        const double floorEnd = SecondsNow();
        frameSeconds += frameEnd - frameStart;
        floorSeconds += floorEnd - floorStart;
        state.SetIterationTime(frameEnd - frameStart + floorEnd - floorStart);
    }
    state.counters["frame_over_floor"] = floorSeconds > 0 ? frameSeconds / floorSeconds : 0;
    state.counters["frame_seconds"] = benchmark::Counter(frameSeconds, benchmark::Counter::kAvgIterations);
    state.counters["frame_pixels"] = PixelsFilledBy(DrawPlayingFrameFromTheMoment);
    state.counters["floor_pixels"] = PixelsFilledBy(DrawFloorFromTheMoment);
    state.counters["floor_seconds"] = benchmark::Counter(floorSeconds, benchmark::Counter::kAvgIterations);
}

static void RunTitleFrame(uint8_t dirty)
{
    screens->ScreenIsDirty = dirty;
    screens->ScreenRedrawDue = 0;
    screens->RunCurrentScreen();
    screens->ApplyScreenFadeTransition();
    visuals->DrawFrame();
    if (screens->ScreenBufferNeedsDisplay) visuals->DisplayScreenBufferOntoDisplay();
}

// The player rests: nothing held or pressed, whatever the benchmark before
// left in the input (its frames are run without a poll).
static void EnterTitleScreen()
{
    screens->Command = input->EmptyCommand();
    screens->ScreenToDisplay = TITLE_SCREEN;
    screens->ScreenTransitionStatus = FADE_ALL;
    screens->ScreenFadeTransparency = 1.0f;
    screens->ScreenDisplayTimer = -1;
    for (int frame = 0; frame < 20 && screens->ScreenTransitionStatus != FADE_NONE; frame++) RunTitleFrame(1);
    screens->ScreenBufferNeedsDisplay = 0;
}

static void RunCleanTitleFrame()
{
    RunTitleFrame(0);
}

static void BM_TitleFrame(benchmark::State& state, uint8_t dirty)
{
    if (!EnsureGameRunning()) return state.SkipWithError("the game did not start");
    EnterTitleScreen();
    int presented = 0;
    for (auto _ : state)
    {
        screens->ScreenBufferNeedsDisplay = 0;
        RunTitleFrame(dirty);
        presented += screens->ScreenBufferNeedsDisplay;
    }
    // A clean title screen must draw nothing and not even ask for a present.
    state.counters["presented"] = benchmark::Counter(presented, benchmark::Counter::kAvgIterations);
    if (!dirty) state.counters["pixels"] = PixelsFilledBy(RunCleanTitleFrame);
    screens->ScreenBufferNeedsDisplay = 0;
}

static void BM_DrawScoreText(benchmark::State& state)
{
    if (!EnsureGameRunning()) return state.SkipWithError("the game did not start");
    const int SCORE_FONT = 1;
    const double residentBefore = ResidentKilobytes();
    for (auto _ : state)
    {
        visuals->DrawTextOntoScreenBuffer("128450", visuals->Font[SCORE_FONT], 40, 40, JUSTIFY_LEFT, 255, 255, 1, 1, 1,
                                          1);
        state.PauseTiming();
        glFinish();
        state.ResumeTiming();
    }
    // Per call: a leak shows here, where the whole game only hints at one.
    state.counters["rss_growth_bytes"] = benchmark::Counter((ResidentKilobytes() - residentBefore) * 1024,
                                                            benchmark::Counter::kAvgIterations);
}

static void BM_LogicFrame(benchmark::State& state)
{
    if (!EnsureGameRunning()) return state.SkipWithError("the game did not start");
    ReturnToTheMomentOfPlay();
    int frames = 0;
    for (auto _ : state)
    {
        logic->ProcessGhosts();
        logic->ProcessPlayer(screens->Command.Direction[INPUT_ALL]);
        if (++frames % LOGIC_FRAMES_PER_RESTORE != 0) continue;
        state.PauseTiming();
        ReturnToTheMomentOfPlay();
        state.ResumeTiming();
    }
}

void RegisterFrameBenchmarks(int repetitions)
{
    MeasuredWithSpread(benchmark::RegisterBenchmark("playing_frame", BM_PlayingFrame), repetitions);
    MeasuredWithSpread(benchmark::RegisterBenchmark("floor_of_playing_frame", BM_FloorOfPlayingFrame), repetitions);
    for (const WindowSize& window : MEASURED_WINDOWS)
    {
        MeasuredWithSpread(
            benchmark::RegisterBenchmark("playing_frame_over_floor", BM_PlayingFrameOverFloor)->Args({window.width, window.height}),
            repetitions, MANUAL_TIME);
    }
    MeasuredWithSpread(benchmark::RegisterBenchmark("title_frame_dirty", BM_TitleFrame, uint8_t(1)), repetitions);
    MeasuredWithSpread(benchmark::RegisterBenchmark("title_frame_clean", BM_TitleFrame, uint8_t(0)), repetitions);
    MeasuredWithSpread(benchmark::RegisterBenchmark("draw_score_text", BM_DrawScoreText), repetitions);
    MeasuredWithSpread(benchmark::RegisterBenchmark("logic_frame", BM_LogicFrame), repetitions);
}

void StopFrameBenchmarkGame()
{
    if (!saved.ready) return;
    StopGameObjects();
    saved.directory.reset();
    saved.ready = false;
}
