#!/usr/bin/env python3
"""The browser's figures: the won-game demo timed in a headless Chromium at
640 x 480 (SwiftShader's WebGL, no GPU), with the desktop program's timing of
the same demo beside it; the site's size as served; and the time from
opening the page to the game's first frame and to its title screen, the
logos skipped as a player skips them. Run by ./bench after the site is built."""
import os
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
import browser  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

DEMO = "won_game.demo"
LARGEST_SITE_BYTES = 8 * 1000 * 1000
LEAST_PACE_IN_BROWSER = 1.0
TITLE_SCREEN = 1
TIMED_LINE = re.compile(r"Timed demo .*: (\d+) frames, state (\w+), ([\d.]+) seconds, ([\d.]+) frames per second, "
                        r"([\d.]+) times its own pace")


def line(what, figure, budget="", verdict=""):
    print("%-52s %-40s %-14s %s" % (what, figure, budget, verdict))


def desktop_timing(program):
    """The desktop program's own line for the same demo."""
    with open(os.path.join(browser.DEMOS, DEMO)) as file:
        said, _ = browser.play_on_desktop(program, file.read(), "--timedemo")
    return TIMED_LINE.search(said)


def browser_timing(site):
    chromium = browser.Browser()
    try:
        chromium.open(site.address + "index.html?width=640&height=480&timedemo=demos/" + DEMO)
        return TIMED_LINE.search(chromium.wait_for_line("Timed demo"))
    finally:
        chromium.close()


def start_up_times(site):
    chromium = browser.Browser()
    try:
        opened = time.monotonic()
        chromium.open(site.address + "index.html")
        chromium.wait_for("the first frame", lambda: (chromium.game() or [0, 0])[1] > 0)
        first_frame = time.monotonic() - opened

        # Space pressed as a player in a hurry presses it, through both logos.
        chromium.press_until(Keys.SPACE, "the title screen", lambda: chromium.game()[0] == TITLE_SCREEN,
                             again_seconds=0.1)
        return first_frame, time.monotonic() - opened
    finally:
        chromium.close()


def main():
    print("\nThe browser's build (build-web/site/), in headless Chromium with SwiftShader")
    status = 0
    size = sum(os.path.getsize(os.path.join(folder, name)) for folder, _, names in os.walk(browser.SITE)
               for name in names)
    fits = size <= LARGEST_SITE_BYTES
    line("7. the site as served", "%.2f MB" % (size / 1e6), "<= %.0f MB" % (LARGEST_SITE_BYTES / 1e6),
         "ok" if fits else "FAIL")
    status |= not fits
    site = browser.Site()
    try:
        first_frame, title = start_up_times(site)
        line("   page opened to the first frame", "%.1f s" % first_frame, "information")
        line("   page opened to the title, logos skipped", "%.1f s" % title, "information")
        timed = browser_timing(site)
    finally:
        site.close()
    desktop = desktop_timing(os.path.join(browser.ROOT, "build-bench", "wobblersaga"))
    if not timed:
        line("8. won-game demo timed in the browser, 640 x 480", "no timing line", "", "FAIL")
        return 1
    pace = float(timed.group(5))
    fast = pace >= LEAST_PACE_IN_BROWSER
    line("8. won-game demo timed in the browser, 640 x 480",
         "%s frames/s, %.2f times its pace" % (timed.group(4), pace), ">= %.1f times" % LEAST_PACE_IN_BROWSER,
         "ok" if fast else "FAIL")
    if desktop:
        line("   the same demo on the desktop, 640 x 480",
             "%s frames/s, %s times its pace" % (desktop.group(4), desktop.group(5)), "information")
        same = desktop.group(2) == timed.group(2)
        line("   the same state at its end", "%s / %s" % (timed.group(2), desktop.group(2)), "equal",
             "ok" if same else "FAIL")
        status |= not same
    status |= not fast
    return status


if __name__ == "__main__":
    sys.exit(main())
