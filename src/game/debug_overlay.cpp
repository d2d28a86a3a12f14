#include "game/game.h"

#include <stdio.h>

#include "input/input.h"
#include "visuals/visuals.h"

// Three rows at the bottom left: frame rate, mouse x, mouse y.
const int NUMBER_OF_DEBUG_ROWS = 3;
static const float DEBUG_ROW_Y[NUMBER_OF_DEBUG_ROWS] = {429.0f, 445.0f, 461.0f};
const float DEBUG_ROW_X = 3.0f;
// A white plate four digits wide under each value.
static const char DEBUG_PLATE[] = "0000";

void Game::DisplayDebuggingInfo()
{
    if (DebugOn != 1) return;

    const int32_t values[NUMBER_OF_DEBUG_ROWS] = {AverageFrameRate, input->MouseX, input->MouseY};
    TTF_Font* const font = visuals->Font[2];
    for (int row = 0; row < NUMBER_OF_DEBUG_ROWS; row++)
    {
        visuals->DrawTextOntoScreenBuffer(DEBUG_PLATE, font, DEBUG_ROW_X, DEBUG_ROW_Y[row], JUSTIFY_LEFT, 255, 255,
                                          255, 255, 255, 255);
        snprintf(visuals->VariableText, sizeof(visuals->VariableText), "%i", values[row]);
        visuals->DrawTextOntoScreenBuffer(visuals->VariableText, font, DEBUG_ROW_X, DEBUG_ROW_Y[row], JUSTIFY_LEFT,
                                          1, 1, 1, 255, 255, 255);
    }
}
