"""The browser's build in a real Chromium: the committed demos, a real key
session, the options kept across a reload, and the console."""
import os
import sys
import unittest

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(__file__))
import browser  # noqa: E402

# The screens the tests wait for, by the game's own numbers.
TITLE_SCREEN = 1
OPTIONS_SCREEN = 5
OPTIONS_BUTTON = 1  # the title's second button
PLAYING_GAME_SCREEN = 7
SPONSOR_SCREEN = 13
FIRST_BOARD = 1
# Start-up lines every start prints, in this order.
START_UP_LINES = ["SDL (Everything) initialized", "SDL+OpenGL resizable window created",
                  "Loaded all TTF fonts into memory", "Loaded and initialized all sprite images into memory",
                  "Loaded all texts into memory", "Loaded and initialized all button/GUI images into memory",
                  "SDL_mixer initialized", "Loaded all music into memory", "Loaded all sounds into memory",
                  "Main loop..."]
OPTIONS_FILE = "/home/web_user/WobblerSaga-data-2.1"
# Keys the browser numbers its own way, each with what a recording keeps of
# it on the title screen (where none of them acts): the game's character, or
# the held arrows.
TITLE_KEYS = [(("a",), "key=a"), ((Keys.SHIFT, "q"), "key=Q"), (("7",), "key=7"), ((Keys.BACKSPACE,), "key=<"),
              ((Keys.F1,), "key=!"), ((Keys.F2,), "key=@"), ((Keys.F12,), "key=|"), ((Keys.ADD,), "key=+"),
              ((Keys.UP,), "arrows=U"), ((Keys.LEFT,), "arrows=L")]


def recorded_end(demo):
    """The frames and the state digest a demo's end line gives."""
    with open(os.path.join(browser.DEMOS, demo)) as file:
        ends = [line.split() for line in file if line.startswith("end ")]
    return int(ends[-1][1]), ends[-1][2]


class BrowserCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = browser.Site()

    @classmethod
    def tearDownClass(cls):
        cls.site.close()

    def setUp(self):
        self.browser = browser.Browser()

    def tearDown(self):
        self.browser.close()

    def screen(self):
        return self.browser.game()[0]

    def open_game(self, query=""):
        self.browser.open(self.site.address + "index.html" + query)
        self.browser.wait_for("the game to run", self.browser.game)

    def reach_title(self):
        self.browser.wait_for_screen(SPONSOR_SCREEN)
        self.browser.press_until(Keys.SPACE, "the title screen", lambda: self.screen() == TITLE_SCREEN)


# The suite web_demos runs these beside the rest, which the suite web runs.
@unittest.skipIf(os.environ.get("WOBBLER_WEB_DEMOS_APART"), "run apart, by the suite web_demos")
class DemosTest(BrowserCase):
    def test_committed_demos_reach_their_recorded_frames_and_digests(self):
        for demo in sorted(os.listdir(browser.DEMOS)):
            if not demo.endswith(".demo"):
                continue
            with self.subTest(demo=demo):
                frames, digest = recorded_end(demo)
                self.browser.open(self.site.address + "index.html?width=640&height=480&timedemo=demos/" + demo)
                line = self.browser.wait_for_line("Timed demo /demos/%s:" % demo)
                self.assertRegex(line, r": %d frames, state %s," % (frames, digest))
                self.assertEqual([], [line for line in self.browser.console() if "ERROR" in line])
                self.browser.lines = []


class SessionTest(BrowserCase):
    def test_keys_reach_a_game_on_the_first_board_after_a_clean_start(self):
        self.open_game()
        self.reach_title()
        self.browser.press_until(Keys.RETURN, "a game", lambda: self.screen() == PLAYING_GAME_SCREEN)
        self.assertEqual(FIRST_BOARD, self.browser.run("return Module._WebBoardPlayed()"))
        lines = self.browser.console()
        started = [line for line in lines if line in START_UP_LINES]
        self.assertEqual(START_UP_LINES, started)
        self.assertEqual([], [line for line in lines if "ERROR" in line])

    def test_a_hidden_tab_pauses_a_game(self):
        self.open_game()
        self.reach_title()
        self.browser.press_until(Keys.RETURN, "a game", lambda: self.screen() == PLAYING_GAME_SCREEN)
        self.assertEqual(0, self.browser.run("return Module._WebGamePaused()"))
        driver = self.browser.driver
        game_tab = driver.current_window_handle
        driver.switch_to.new_window("tab")  # the game's tab goes behind it
        driver.close()
        driver.switch_to.window(game_tab)
        self.browser.wait_for("the game to pause", lambda: self.browser.run("return Module._WebGamePaused()") == 1)

    def test_a_music_volume_set_on_the_options_screen_survives_a_reload(self):
        self.open_game()
        self.reach_title()
        volume = self.browser.run("return Module._WebMusicVolume()")
        # A press in the title's fade-in or its input pause is lost by design.
        self.browser.press_until(Keys.DOWN, "Options selected",
                                 lambda: self.browser.run("return Module._WebButtonSelected()") == OPTIONS_BUTTON)
        self.browser.press_until(Keys.RETURN, "the options screen", lambda: self.screen() == OPTIONS_SCREEN)
        self.browser.press_until(Keys.RIGHT, "the music's volume to change",
                         lambda: self.browser.run("return Module._WebMusicVolume()") != volume)
        changed = self.browser.run("return Module._WebMusicVolume()")
        # Leaving the options saves them, and the page keeps them.
        self.browser.press_until(Keys.ESCAPE, "the title screen", lambda: self.screen() == TITLE_SCREEN)
        self.browser.driver.refresh()
        self.browser.wait_for("the game to run again", self.browser.game)
        self.assertEqual(changed, self.browser.run("return Module._WebMusicVolume()"))
        self.assertNotEqual(volume, changed)


class StorageTest(BrowserCase):
    def test_a_damaged_stored_options_file_gets_one_error_line_and_the_defaults(self):
        self.open_game()
        fresh = self.browser.run("return Module._WebMusicVolume()")
        failure = self.browser.driver.execute_async_script(
            "var done = arguments[0];"
            "Module.FS.writeFile('%s', 'not\\nan options\\nfile\\n');"
            "Module.FS.syncfs(false, function(failure) { done(failure ? String(failure) : ''); });" % OPTIONS_FILE)
        self.assertEqual("", failure)
        self.browser.lines = []
        self.browser.driver.refresh()
        self.browser.wait_for("the game to run again", self.browser.game)
        errors = [line for line in self.browser.console() if "ERROR" in line]
        self.assertEqual(1, len(errors), errors)
        self.assertTrue(errors[0].startswith("ERROR: Options file %s is damaged" % OPTIONS_FILE), errors)
        self.assertEqual(fresh, self.browser.run("return Module._WebMusicVolume()"))


class RecordingTest(BrowserCase):
    def test_a_session_recorded_in_the_browser_plays_on_the_desktop_to_its_end(self):
        self.open_game("?record")
        self.reach_title()
        for keys, _ in TITLE_KEYS:
            self.browser.press(*keys)
        # Escape on the title quits; the page then offers the session.
        self.browser.press(Keys.ESCAPE)
        self.browser.wait_for("the session's link", lambda: self.browser.run(
            "return !document.getElementById('session').hidden"))
        demo = self.browser.driver.execute_async_script(
            "fetch(document.getElementById('session').href).then(r => r.text()).then(arguments[0])")
        kept = [token for token in demo.split() if token.startswith(("key=", "arrows=")) and token != "arrows=C"]
        self.assertEqual([read for _, read in TITLE_KEYS], kept[-len(TITLE_KEYS):])
        frames, digest = demo.split("\nend ")[-1].split()[:2]
        said, status = browser.play_on_desktop(os.environ["WOBBLER_PROGRAM"], demo, "--timedemo")
        self.assertEqual(0, status, said)
        self.assertIn("Timed demo session.demo: %s frames, state %s," % (frames, digest), said)

if __name__ == "__main__":
    unittest.main()
