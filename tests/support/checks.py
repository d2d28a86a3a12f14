"""What the Python checks share: the project's root, the board names and a tally of checks with its verdict."""
import os

# The board images the game reads, by level: data/boards/<name>.bmp and <name>_Return.bmp.
BOARDS = ("Level1", "Level2", "Level3", "Level4", "Original")
ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
_tally = {"passed": 0, "failed": 0}


def check(ok, what, detail=""):
    """Counts one check, prints what failed (and the detail that shows why); gives ok back."""
    if ok:
        _tally["passed"] += 1
    else:
        _tally["failed"] += 1
        print("FAIL:", what + ("\n    %s" % (detail,) if detail != "" else ""), flush=True)
    return ok


def verdict():
    """Prints the tally and gives the script's exit status."""
    print("%d passed, %d failed" % (_tally["passed"], _tally["failed"]))
    return 1 if _tally["failed"] else 0
