#ifndef WOBBLER_PLAYING_FIXTURE_H
#define WOBBLER_PLAYING_FIXTURE_H

#include <SDL.h>

#include "support/game_screens_fixture.h"

// A small pocket board used for every level: the hero can step from his
// start (13, 19) right to (14, 19) and up to (13, 18); the ghosts share a
// three-tile pen around (13, 13); pellets and power pellets stand walled in
// where nobody can eat them.
const int POCKET_POWER_PELLET_X = 16;
const int POCKET_POWER_PELLET_Y = 19;
const int POCKET_MAP_POWER_PELLET_X = 16;  // one the television frame leaves visible on the mini-map
const int POCKET_MAP_POWER_PELLET_Y = 10;

// The game about to enter its playing screen, with test boards in
// data/boards and the game's own pictures, fonts and sounds.
class PlayingTest : public GameScreensTest
{
protected:
    void SetUp() override;

    // Starts the game and waits for the fade-in to finish.
    void EnterGame();
    // Puts a normal ghost on the hero's tile.
    void SendGhostOntoHero();

    bool IsWallAt(int x, int y) const;
    bool IsPelletColourAt(int x, int y) const;

    // False plays on the game's own boards.
    bool pocketBoards = true;
};

#endif
