#ifndef WOBBLER_TEST_BOARDS_H
#define WOBBLER_TEST_BOARDS_H

#include <string>
#include <vector>

#include "logic/logic.h"

// The board images the game reads, by level: data/boards/<name>.bmp and <name>_Return.bmp.
const char* const BOARD_NAMES[] = {"Level1", "Level2", "Level3", "Level4", "Original"};

// A board drawn in characters, 27 lines of 27, row 0 first.
// Board: '#' wall, '.' pellet, 'o' power pellet, anything else open floor.
// Return routes: 'U', 'D', 'L', 'R' the way home, 'x' marked without a way.
typedef std::vector<std::string> Picture;

// Walls all round the edge, open floor inside.
Picture WalledBoard();
// Nothing but wall, to carve corridors into.
Picture SolidBoard();
Picture NoRoutes();

// Writes data/boards/<name>.bmp and <name>_Return.bmp in the working directory.
bool SaveBoardPair(const std::string& name, const Picture& board, const Picture& routes = NoRoutes());

// Every board walled round, each with one pellet more than the one before.
bool SaveBoardsOfRisingPellets();

#endif
