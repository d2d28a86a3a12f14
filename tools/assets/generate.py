#!/usr/bin/python3
"""Writes every generated asset of the game under the given data folder (default: the project's data/)."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

GENERATORS = ("pictures", "boards", "sounds", "music")


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "data")
    out_dir = os.path.abspath(out_dir)
    wanted = sys.argv[2:] or GENERATORS
    for name in wanted:
        module = __import__(name)
        module.generate(out_dir)
        print("generated", name)


if __name__ == "__main__":
    main()
