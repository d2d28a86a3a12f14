"""A real Chromium, headless with SwiftShader's WebGL, on the browser's build
of the game served from 127.0.0.1, with the committed demos beside it under
/demos/. The game's state is read through the page's two exports (the screen
shown and the frames run), its log lines from the console."""
import functools
import http.server
import os
import shutil
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SITE = os.path.join(ROOT, "build-web", "site")
DEMOS = os.path.join(ROOT, "tests", "program", "demos")

# A slow or busy machine still starts the page, and plays a demo, in this.
PATIENCE_SECONDS = 240


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm"}

    def translate_path(self, path):
        if path.startswith("/demos/"):
            return os.path.join(DEMOS, os.path.basename(path.split("?")[0]))
        return super().translate_path(path)

    def log_message(self, *arguments):
        pass


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

    def wait_for_line(self, start, seconds=PATIENCE_SECONDS):
        return self.wait_for('a line "%s..."' % start,
                             lambda: next((line for line in self.console() if line.startswith(start)), None), seconds)

    def wait_for_screen(self, screen, seconds=PATIENCE_SECONDS):
        self.wait_for("screen %d" % screen, lambda: (self.game() or [None])[0] == screen, seconds)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
