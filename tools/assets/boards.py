"""The five boards and their return images.

Each board is drawn below as ASCII art, one character per tile, row 0 at the
top: '#' wall, '.' pellet, 'o' power pellet, ' ' open floor without a pellet.
The ghost pen around (13, 13) and the player's start (13, 19) are left bare.
The game reads the boards by palette index, so the indices below are the
format, and the colours only make the files readable in an image viewer.
"""
import os
from collections import deque

from PIL import Image

SIZE = 27
HOME = (13, 13)
START = (13, 19)

# Board pixel values.
WALL = 0
FLOOR = 1
POWER = 10
PELLET = 11

# Return pixel values: the way one step closer to the ghost home.
RET_NONE = 0
RET_UP = 9
RET_DOWN = 11
RET_LEFT = 6
RET_RIGHT = 14
RET_HOME = 10

TILE_VALUES = {"#": WALL, ".": PELLET, "o": POWER, " ": FLOOR}

# Board files in order of difficulty: more ghosts join on later levels, and
# the later mazes have longer runs between turns and fewer places to dodge.
LEVEL1 = """
###########################
#o...........#...........o#
#.###.##.###.#.###.##.###.#
#.###.##.###.#.###.##.###.#
#.........................#
#.###.##.####.####.##.###.#
#.###.##.####.####.##.###.#
#.....##...........##.....#
#####.##.#########.##.#####
#####.##.#########.##.#####
#####.................#####
#####.##.####.####.##.#####
#.....##.##     ##.##.....#
#.###.##.##     ##.##.###.#
#.....##.##     ##.##.....#
#####.##.#########.##.#####
#.........................#
#.###.##.####.####.##.###.#
#.###.##.####.####.##.###.#
#o....##..... .....##....o#
#.###.##.##.###.##.##.###.#
#.###.##.##.###.##.##.###.#
#.........................#
#.###.#####.###.#####.###.#
#.###.#####.###.#####.###.#
#o.......................o#
###########################
"""

LEVEL2 = """
###########################
#o....#......#......#....o#
#.###.#.####.#.####.#.###.#
#.###.#.####.#.####.#.###.#
#.........................#
#.##.####.###.###.####.##.#
#.##.####.###.###.####.##.#
#....##.............##....#
####.##.###.###.###.##.####
####.##.###.###.###.##.####
####...................####
####.##.#####.#####.##.####
#....##.###     ###.##....#
#.##.##.###     ###.##.##.#
#....##.###     ###.##....#
####.##.###########.##.####
#o.......................o#
#.####.###.##.##.###.####.#
#.####.###.##.##.###.####.#
#............ ............#
###.####.###.#.###.####.###
###.####.###.#.###.####.###
#.........................#
#.###.####.#####.####.###.#
#.###.####.#####.####.###.#
#o.......................o#
###########################
"""

LEVEL3 = """
###########################
#o......##...#...##......o#
#.#####.##.#.#.#.##.#####.#
#.#####.##...#...##.#####.#
#...#......#####......#...#
###.#.####.#####.####.#.###
#...#.####.......####.#...#
#.###......##.##......###.#
#.###.####.##.##.####.###.#
#.....####.......####.....#
####.#....#.###.#....#.####
####.#.##.#.###.#.##.#.####
#....#.##.#     #.##.#....#
#.####.##.#     #.##.####.#
#......##.#     #.##......#
####.#.##.#######.##.#.####
#....#...............#....#
#.####.####.#.#.####.####.#
#.#......##.#.#.##......#.#
#.#.####.##.. ..##.####.#.#
#.#.####.####.####.####.#.#
#...####...........####...#
#.#.....#####.#####.....#.#
#.#.###.#####.#####.###.#.#
#.#.###.#####.#####.###.#.#
#o.......................o#
###########################
"""

LEVEL4 = """
###########################
#o...........#...........o#
#.##########.#.##########.#
#.#..........#..........#.#
#.#.########.#.########.#.#
#...#......#...#......#...#
###.#.####.#.#.#.####.#.###
#...#.####...#...####.#...#
#.###.####.#####.####.###.#
#.....####.......####.....#
#####.....#.###.#.....#####
#####.###.#.###.#.###.#####
#.........#     #.........#
#.#######.#     #.#######.#
#.........#     #.........#
#####.###.#######.###.#####
#.....###.........###.....#
#.###.....###.###.....###.#
#.###.###.###.###.###.###.#
#.....###.... ....###.....#
###.#.....#.###.#.....#.###
###.#####.#.###.#.#####.###
#.........#.....#.........#
#.###.###.###.###.###.###.#
#o###.###.###.###.###.###o#
#.........................#
###########################
"""

ORIGINAL = """
###########################
#............#............#
#o####.#####.#.#####.####o#
#.####.#####.#.#####.####.#
#.........................#
#.####.##.#######.##.####.#
#......##....#....##......#
######.#####.#.#####.######
######.#####.#.#####.######
######.##.........##.######
#....#.##.###.###.##.#....#
#.##.#.##.#.....#.##.#.##.#
#.........#     #.........#
#.##.#.##.#     #.##.#.##.#
#....#.##.#     #.##.#....#
######.##.........##.######
######.##.###.###.##.######
#.........................#
#.####.#####.#.#####.####.#
#o..##....... .......##..o#
###.##.##.#######.##.##.###
###.##.##.#######.##.##.###
#......##...###...##......#
#.#########.###.#########.#
#.#########.###.#########.#
#.........................#
###########################
"""

BOARDS = (
    ("Level1", LEVEL1),
    ("Level2", LEVEL2),
    ("Level3", LEVEL3),
    ("Level4", LEVEL4),
    ("Original", ORIGINAL),
)

# Neighbour order is fixed so that ties in the search always break the same way.
STEPS = ((0, -1, RET_DOWN), (0, 1, RET_UP), (-1, 0, RET_RIGHT), (1, 0, RET_LEFT))


def parse(art):
    """Turns ASCII art into a list of rows of board pixel values."""
    rows = art.strip("\n").split("\n")
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        raise ValueError("a board must be %d x %d tiles" % (SIZE, SIZE))
    return [[TILE_VALUES[c] for c in r] for r in rows]


def return_routes(board):
    """Breadth-first search from the ghost home over open tiles.

    A tile found from its neighbour n points back toward n, which is one
    step closer to home; home itself is marked without a direction.
    """
    routes = [[RET_NONE] * SIZE for _ in range(SIZE)]
    hx, hy = HOME
    routes[hy][hx] = RET_HOME
    seen = {HOME}
    queue = deque([HOME])
    while queue:
        x, y = queue.popleft()
        for dx, dy, back in STEPS:
            nx, ny = x + dx, y + dy
            if not (0 <= nx < SIZE and 0 <= ny < SIZE) or (nx, ny) in seen:
                continue
            if board[ny][nx] == WALL:
                continue
            seen.add((nx, ny))
            routes[ny][nx] = back
            queue.append((nx, ny))
    return routes


def _palette(colours):
    pal = [0] * (256 * 3)
    for index, rgb in colours.items():
        pal[index * 3:index * 3 + 3] = rgb
    return pal


BOARD_PALETTE = _palette({
    WALL: (30, 40, 160),
    FLOOR: (0, 0, 0),
    POWER: (255, 120, 200),
    PELLET: (250, 230, 150),
})

RETURN_PALETTE = _palette({
    RET_NONE: (40, 40, 40),
    RET_UP: (220, 60, 60),
    RET_DOWN: (60, 200, 80),
    RET_LEFT: (70, 110, 240),
    RET_RIGHT: (240, 210, 60),
    RET_HOME: (255, 255, 255),
})


def _save(rows, palette, path):
    image = Image.new("P", (SIZE, SIZE))
    image.putpalette(palette)
    image.putdata([v for row in rows for v in row])
    image.save(path, format="BMP")


def generate(out_dir):
    folder = os.path.join(out_dir, "boards")
    os.makedirs(folder, exist_ok=True)
    for name, art in BOARDS:
        board = parse(art)
        _save(board, BOARD_PALETTE, os.path.join(folder, name + ".bmp"))
        _save(return_routes(board), RETURN_PALETTE, os.path.join(folder, name + "_Return.bmp"))
