#include "support/boards.h"

#include <sys/stat.h>

#include "support/pictures.h"

Picture WalledBoard()
{
    Picture board(BOARD_SIZE, std::string(BOARD_SIZE, ' '));
    for (int i = 0; i < BOARD_SIZE; i++)
    {
        board[0][i] = board[BOARD_SIZE - 1][i] = '#';
        board[i][0] = board[i][BOARD_SIZE - 1] = '#';
    }
    return board;
}

Picture SolidBoard()
{
    return Picture(BOARD_SIZE, std::string(BOARD_SIZE, '#'));
}

Picture NoRoutes()
{
    return Picture(BOARD_SIZE, std::string(BOARD_SIZE, ' '));
}

// The palette indices the game reads.
static uint8_t BoardValue(char c)
{
    switch (c)
    {
        case '#': return 0;
        case 'o': return 10;
        case '.': return 11;
        default: return 1;
    }
}

static uint8_t ReturnValue(char c)
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

static bool SavePicture(const std::string& path, const Picture& picture, uint8_t (*value)(char))
{
    std::vector<uint8_t> indices;
    for (const std::string& row : picture)
        for (char c : row) indices.push_back(value(c));
    return WriteIndexedPicture(path, BOARD_SIZE, BOARD_SIZE, indices);
}

bool SaveBoardPair(const std::string& name, const Picture& board, const Picture& routes)
{
    mkdir("data", 0755);
    mkdir("data/boards", 0755);
    return SavePicture("data/boards/" + name + ".bmp", board, BoardValue) &&
           SavePicture("data/boards/" + name + "_Return.bmp", routes, ReturnValue);
}

bool SaveBoardsOfRisingPellets()
{
    for (int board = 0; board < 5; board++)
    {
        Picture picture = WalledBoard();
        for (int pellet = 0; pellet <= board; pellet++) picture[1][1 + pellet] = '.';
        if (!SaveBoardPair(BOARD_NAMES[board], picture)) return false;
    }
    return true;
}
