"""A real Chromium, headless with SwiftShader's WebGL, on the browser's build
of the game served from 127.0.0.1 by tools/serve-site's handler, with the
committed demos beside it under /demos/. The game's state is read through
the page's exports (the screen shown and the frames run), its log lines from
the console."""
import functools
import http.server
import importlib.machinery
import importlib.util
import os
import shutil
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SITE = os.path.join(ROOT, "build-web", "site")
DEMOS = os.path.join(ROOT, "tests", "program", "demos")

# A slow or busy machine still starts the page, and plays a demo, in this.
PATIENCE_SECONDS = 240
# A press that changed nothing by then was lost in a fade, and is pressed again.
PRESS_AGAIN_SECONDS = 2.5


def load_serve_site():
    loader = importlib.machinery.SourceFileLoader("serve_site", os.path.join(ROOT, "tools", "serve-site"))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader("serve_site", loader))
    loader.exec_module(module)
    return module


class SiteHandler(load_serve_site().QuietHandler):
    def translate_path(self, path):
        if path.startswith("/demos/"):
            return os.path.join(DEMOS, os.path.basename(path.split("?")[0]))
        return super().translate_path(path)


def play_on_desktop(program, demo_text, option):
    """The desktop program's stdout.log after it plays the demo with the
    option (--playdemo or --timedemo), and its exit status; it runs in a
    folder of its own, with data/ linked there."""
    with tempfile.TemporaryDirectory() as folder:
        os.symlink(os.path.join(ROOT, "data"), os.path.join(folder, "data"))
        with open(os.path.join(folder, "session.demo"), "w") as file:
            file.write(demo_text)
        played = subprocess.run([program, option, "session.demo"], cwd=folder, timeout=600,
                                env=dict(os.environ, HOME=folder, SDL_AUDIODRIVER="dummy"),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(os.path.join(folder, "stdout.log")) as log:
            return log.read(), played.returncode


class Site:
    """The site served on a free port for the life of a test class."""

    def __init__(self):
        handler = functools.partial(SiteHandler, directory=SITE)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.address = "http://127.0.0.1:%d/" % self.server.server_address[1]

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Browser:
    """One Chromium with a profile of its own, so its storage lasts across
    reloads and dies with it."""

    def __init__(self, width=700, height=600):
        self.profile = tempfile.mkdtemp(prefix="wobbler-chromium-")
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                         "--autoplay-policy=no-user-gesture-required", "--window-size=%d,%d" % (width, height),
                         "--user-data-dir=" + self.profile):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.lines = []

    def open(self, address):
        self.driver.get(address)

    def console(self):
        """Every console line so far, as the game printed it."""
        for entry in self.driver.get_log("browser"):
            message = entry["message"]
            # "URL LINE:COLUMN "text"": the text is the quoted part.
            start = message.find('"')
            self.lines.append(message[start + 1:-1].replace('\\"', '"') if start >= 0 else message)
        return self.lines

    def run(self, script):
        return self.driver.execute_script(script)

    def game(self):
        """The screen shown and the frames run, or None before the game runs."""
        return self.run("return (typeof Module !== 'undefined' && Module.runtimeReady &&"
                        " Module._WebScreenShown() >= 0) ? [Module._WebScreenShown(), Module._WebFramesRun()] : null")

    def wait_for(self, what, condition, seconds=PATIENCE_SECONDS):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.1)
        raise AssertionError("Waited %d s for %s; the console said:\n%s" % (seconds, what, "\n".join(self.console())))

    def press(self, *keys):
        """Keys pressed in turn, each held until the game has run two frames
        with it down, so that a frame has read it held (a Shift before the key
        it shifts), however slowly the page runs, or until the game has ended
        (Escape on the title quits); then let go."""
        def frames_run():
            state = self.game()
            return state[1] if state else None

        def read_or_ended(frames):
            now = frames_run()
            return now is None or now >= frames + 2

        for key in keys:
            frames = frames_run()
            ActionChains(self.driver).key_down(key).perform()
            if frames is not None:
                self.wait_for("two frames with the key down", lambda: read_or_ended(frames))
        chain = ActionChains(self.driver)
        for key in reversed(keys):
            chain.key_up(key)
        chain.perform()

    def press_until(self, key, what, condition, again_seconds=PRESS_AGAIN_SECONDS):
        """Presses the key, and again each few seconds while nothing came of
        it: a press in a fade or an input pause is lost by design."""
        presses = []

        def pressed_and_done():
            if condition():
                return True
            if not presses or time.monotonic() - presses[-1] > again_seconds:
                self.press(key)
                presses.append(time.monotonic())
            return False

        self.wait_for(what, pressed_and_done)

    def wait_for_line(self, start, seconds=PATIENCE_SECONDS):
        return self.wait_for('a line "%s..."' % start,
                             lambda: next((line for line in self.console() if line.startswith(start)), None), seconds)

    def wait_for_screen(self, screen, seconds=PATIENCE_SECONDS):
        self.wait_for("screen %d" % screen, lambda: (self.game() or [None])[0] == screen, seconds)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
