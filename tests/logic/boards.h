#ifndef WOBBLER_TEST_BOARDS_H
#define WOBBLER_TEST_BOARDS_H

#include <sys/stat.h>

#include <string>
#include <vector>

#include "logic/logic.h"
#include "support/bitmaps.h"

// A board drawn in characters, 27 lines of 27, row 0 first.
// Board: '#' wall, '.' pellet, 'o' power pellet, anything else open floor.
// Return routes: 'U', 'D', 'L', 'R' the way home, 'x' marked without a way.
typedef std::vector<std::string> Picture;

// Walls all round the edge, open floor inside.
inline Picture WalledBoard()
{
    Picture board(BOARD_SIZE, std::string(BOARD_SIZE, ' '));
    for (int i = 0; i < BOARD_SIZE; i++)
    {
        board[0][i] = board[BOARD_SIZE - 1][i] = '#';
        board[i][0] = board[i][BOARD_SIZE - 1] = '#';
    }
    return board;
}

// Nothing but wall, to carve corridors into.
inline Picture SolidBoard()
{
    return Picture(BOARD_SIZE, std::string(BOARD_SIZE, '#'));
}

inline Picture NoRoutes()
{
    return Picture(BOARD_SIZE, std::string(BOARD_SIZE, ' '));
}

// Palette indices the game reads.
inline uint8_t BoardValue(char c)
{
    switch (c)
    {
        case '#': return 0;
        case 'o': return 10;
        case '.': return 11;
        default: return 1;
    }
}

inline uint8_t ReturnValue(char c)
{
    switch (c)
    {
        case 'U': return 9;
        case 'D': return 11;
        case 'L': return 6;
        case 'R': return 14;
        case 'x': return 10;
        default: return 0;
    }
}

inline bool SavePicture(const std::string& path, const Picture& picture, uint8_t (*value)(char))
{
    std::vector<uint8_t> indices;
    for (const std::string& row : picture)
        for (char c : row) indices.push_back(value(c));
    return SaveIndexedBitmap(path, BOARD_SIZE, BOARD_SIZE, indices);
}

// Writes data/boards/<name>.bmp and <name>_Return.bmp in the working directory.
inline bool SaveBoardPair(const std::string& name, const Picture& board, const Picture& routes = NoRoutes())
{
    mkdir("data", 0755);
    mkdir("data/boards", 0755);
    return SavePicture("data/boards/" + name + ".bmp", board, BoardValue) &&
           SavePicture("data/boards/" + name + "_Return.bmp", routes, ReturnValue);
}

#endif
