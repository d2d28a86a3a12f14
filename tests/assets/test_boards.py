#!/usr/bin/python3
"""Checks the five board pairs in data/boards the way the game will use them."""
import os
import struct
import sys
from collections import deque

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from checks import BOARDS, check, verdict

SIZE = 27
HOME = (13, 13)
START = (13, 19)
MOVES = {9: (0, -1), 11: (0, 1), 6: (-1, 0), 14: (1, 0)}

def bmp_bits(path):
    with open(path, "rb") as f:
        header = f.read(30)
    return struct.unpack_from("<H", header, 28)[0]


def load(path):
    """Pixel values as the game reads them: [y][x] palette indices."""
    image = Image.open(path)
    if image.mode != "P" or bmp_bits(path) != 8:
        return image, None
    data = list(image.getdata())
    w = image.size[0]
    return image, [data[y * w:(y + 1) * w] for y in range(image.size[1])]


def neighbours(x, y):
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        nx, ny = x + dx, y + dy
        if 0 <= nx < SIZE and 0 <= ny < SIZE:
            yield nx, ny


def check_board(name):
    board_path = os.path.join("data", "boards", name + ".bmp")
    return_path = os.path.join("data", "boards", name + "_Return.bmp")
    board_img, board = load(board_path)
    return_img, routes = load(return_path)
    check(board_img.size == (SIZE, SIZE), name + ": board is 27 x 27")
    check(return_img.size == (SIZE, SIZE), name + ": return image is 27 x 27")
    check(board is not None, name + ": board is an 8-bit palettized BMP")
    check(routes is not None, name + ": return image is an 8-bit palettized BMP")
    if board is None or routes is None or board_img.size != (SIZE, SIZE) \
            or return_img.size != (SIZE, SIZE):
        return

    def is_open(x, y):
        return board[y][x] != 0

    open_tiles = [(x, y) for y in range(SIZE) for x in range(SIZE) if is_open(x, y)]
    border = [(x, y) for y in range(SIZE) for x in range(SIZE)
              if x in (0, SIZE - 1) or y in (0, SIZE - 1)]
    check(all(not is_open(x, y) for x, y in border), name + ": border tiles are all walls")
    check(is_open(*START), name + ": player start (13, 19) is open")
    check(is_open(*HOME), name + ": ghost home (13, 13) is open")

    seen = {START}
    queue = deque([START])
    while queue:
        tile = queue.popleft()
        for n in neighbours(*tile):
            if is_open(*n) and n not in seen:
                seen.add(n)
                queue.append(n)
    missing = [t for t in open_tiles if t not in seen]
    check(not missing, name + ": every open tile reachable from the start, not %s" % missing[:5])

    lonely = [t for t in open_tiles if not any(is_open(*n) for n in neighbours(*t))]
    check(not lonely, name + ": every open tile has an open neighbour, not %s" % lonely[:5])
    # A dead end corners the player with no way round, and is the one place ghosts turn back.
    dead_ends = [t for t in open_tiles if sum(is_open(*n) for n in neighbours(*t)) < 2]
    check(not dead_ends, name + ": no dead ends, not %s" % dead_ends[:5])

    power = sum(row.count(10) for row in board)
    check(power >= 4, name + ": at least four power pellets (%d)" % power)
    pellets = sum(row.count(11) for row in board)
    check(pellets >= len(open_tiles) * 3 // 4,
          name + ": pellets on most open tiles (%d of %d)" % (pellets, len(open_tiles)))
    check(board[HOME[1]][HOME[0]] not in (10, 11), name + ": no pellet on the ghost home")

    # Follow the return image as the eyes do, one value at a time.
    bad = []
    for start in open_tiles:
        x, y = start
        steps = 0
        while (x, y) != HOME:
            move = MOVES.get(routes[y][x])
            if move is None:
                bad.append((start, "no direction at", (x, y)))
                break
            x, y = x + move[0], y + move[1]
            steps += 1
            if not (0 <= x < SIZE and 0 <= y < SIZE) or not is_open(x, y):
                bad.append((start, "walks into a wall at", (x, y)))
                break
            if steps > len(open_tiles):
                bad.append((start, "loops", (x, y)))
                break
    check(not bad, name + ": return routes reach home from every open tile, not %s" % bad[:3])
    check(routes[HOME[1]][HOME[0]] not in MOVES, name + ": home carries no direction")


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    os.chdir(root)
    for name in BOARDS:
        check(os.path.isfile(os.path.join("data", "boards", name + ".bmp")), name + ".bmp exists")
        check(os.path.isfile(os.path.join("data", "boards", name + "_Return.bmp")),
              name + "_Return.bmp exists")
        try:
            check_board(name)
        except (OSError, ValueError) as error:
            check(False, "%s: readable (%s)" % (name, error))
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
