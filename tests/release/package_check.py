#!/usr/bin/python3
"""The release as a player gets it: the Debian package a maintainer builds
(packaging/build-deb, run by the build before this check), unpacked as dpkg
lays it out beside the font packages it links to, and its launcher started for
real on an X server of its own. Arguments: the package's folder, the plain
build folder (installed once more under another prefix)."""
import fnmatch, glob, io, os, re, shutil, signal, subprocess, sys, tarfile, tempfile, time
from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from checks import ROOT as SOURCE, check, verdict  # noqa: E402

PACKAGE_FOLDER, BUILD_ROOT = sys.argv[1:3]
COMMAND, PROGRAM = "/usr/games/wobblersaga", "/usr/lib/games/wobblersaga/wobblersaga"
DATA, FONT_DIR = "/usr/share/games/wobblersaga", "/usr/share/fonts/truetype/dejavu"
GAME_ID = "example.brickwell_games.wobblersaga"
DESKTOP_ENTRY = f"/usr/share/applications/{GAME_ID}.desktop"
OPTIONS_FILE = "WobblerSaga-data-2.1"
FULL_SCREEN = (1280, 1024)  # the check's own display: not the game's 1024 x 768 nor its 640 x 480


def run(command, env=None, timeout=60):
    """Output and error of a shell command, and its status."""
    done = subprocess.run(command, shell=True, capture_output=True, text=True, env=env, timeout=timeout)
    return done.stdout + done.stderr, done.returncode


def files_under(folder, kind="! -type d"):
    return set(run(f"cd '{folder}' && find . {kind} | cut -c3-")[0].split())


def read(path, mode="r"):
    """A file's content; nothing when it is missing."""
    if not os.path.exists(path):
        return b"" if "b" in mode else ""
    with open(path, mode) as file:
        return file.read()


def paragraphs(text):
    """A machine-readable copyright file: fields by paragraph, continuation lines joined."""
    found, field = [{}], None
    for line in text.splitlines():
        if not line.strip():
            found.append({})
        elif line[0] in " \t":
            found[-1][field] += "\n" + line.strip()
        else:
            field, _, value = line.partition(":")
            found[-1][field] = value.strip()
    return [paragraph for paragraph in found if paragraph]


def covering(copyright, path):
    """The paragraph whose Files patterns match last."""
    matches = [p for p in copyright for pattern in p.get("Files", "").split() if fnmatch.fnmatchcase(path, pattern)]
    return matches[-1] if matches else {}


def licence_text(copyright, name):
    for paragraph in copyright:
        licence = paragraph.get("License", "")
        if licence.split("\n")[0] == name and "\n" in licence:
            return licence.split("\n", 1)[1]
    return ""


def desktop_value(entry, key, group="Desktop Entry"):
    values, current = {}, None
    for line in read(entry).splitlines():
        if line.startswith("["):
            current = line.strip("[]")
        elif "=" in line:
            values.setdefault(current, {})[line.split("=")[0]] = line.split("=", 1)[1]
    return values.get(group, {}).get(key, "")


def check_package_fields(deb, root):
    field = lambda name: run(f"dpkg-deb -f '{deb}' {name}")[0].strip()
    for name, wanted in {"Package": "wobblersaga", "Section": "games",
                         "Architecture": run("dpkg --print-architecture")[0].strip()}.items():
        check(field(name) == wanted, f"the package's {name} is {wanted}", field(name))
    check("Brickwell Games <" in field("Maintainer"), "the maintainer is named with an address", field("Maintainer"))
    check("maze-chase" in field("Description"), "the description says what the game is", field("Description"))
    # The names alone: dpkg-shlibdeps adds versions to the linked libraries.
    depends = {entry.split()[0] for entry in field("Depends").split(",")}
    for needed in ["libsdl1.2debian", "libsdl-image1.2", "libsdl-mixer1.2", "libsdl-ttf2.0-0", "libgl1",
                   "libgl1-mesa-dri", "fonts-dejavu-core", "fonts-dejavu-extra", "x11-xserver-utils", "libc6",
                   "libstdc++6"]:
        check(needed in depends, f"the package depends on {needed}", field("Depends"))

    # Every text carries the package's version, whatever it is.
    version = field("Version")
    upstream = version.rsplit("-", 1)[0]
    changelog, _ = run(f"gzip -dc '{root}/usr/share/doc/wobblersaga/changelog.Debian.gz' "
                       "| dpkg-parsechangelog -l - -S Version")
    check(re.match(r"^\d[\w.]*-\d+$", version) and changelog.strip() == version,
          "the changelog carries the package's version", f"{changelog.strip()} / {version}")
    metainfo = read(f"{root}/usr/share/metainfo/{GAME_ID}.metainfo.xml")
    check(f'<release version="{upstream}"' in metainfo, "the metainfo's release is the package's version")
    page = run(f"gzip -dc '{root}/usr/share/man/man6/wobblersaga.6.gz'")[0]
    check(f'"Nibbleton Saga {upstream}"' in page.split("\n")[0], "the manual page carries the version",
          page.split("\n")[0])


def check_reproducible(deb):
    """The marks of a build that another would not repeat: its dates, owners, modes, gzip headers, order."""
    epoch = int(run(f"dpkg-parsechangelog -l '{SOURCE}/packaging/changelog' -S Timestamp")[0])
    data, at, members = read(deb, "rb"), 8, []
    while at < len(data):  # ar: a header of 60 bytes before each member
        size = int(data[at + 48:at + 58])
        members.append((data[at:at + 16].decode().strip(" /"), int(data[at + 16:at + 28]), data[at + 60:][:size]))
        at += 60 + size + size % 2
    tars = [tarfile.open(fileobj=io.BytesIO(body)) for _, _, body in members[1:]]
    entries = [e for tar in tars for e in tar]
    streams = [(name, body) for name, _, body in members if body[:2] == b"\x1f\x8b"]
    streams += [(e.name, tar.extractfile(e).read()) for tar in tars for e in tar if e.name.endswith(".gz")]
    # dpkg-deb's order: each folder before its entries, by name, and the links last.
    order = lambda e: (e.issym(), e.name.split("/"))
    misplaced = [a.name for tar in tars for a, b in zip(tar, sorted(tar, key=order)) if a is not b]
    check([name.split(".")[0] for name, _, _ in members] == ["debian-binary", "control", "data"] and not misplaced,
          "the package's members and every archive's entries are in order", [n for n, _, _ in members] + misplaced[:3])
    dated = [name for name, date, _ in members if date != epoch] + [e.name for e in entries if e.mtime != epoch]
    check(not dated, "every date in the package is the changelog's latest entry", dated[:5])
    modes = [f"{e.name} {e.mode:o} {e.uname}:{e.gname}" for e in entries if e.uid or e.gid or e.uname != "root" or
             not e.issym() and e.mode not in ((0o755,) if e.isdir() else (0o644, 0o755))]
    check(not modes, "every entry is root's with the mode 755 or 644, whatever the builder's umask", modes[:5])
    stamped = [name for name, body in streams if body[3] & 8 or body[4:8] != bytes(4)]  # the FNAME flag, the time
    check(len(streams) >= 2 and not stamped, "no gzip header in the package carries a name or a time", stamped)


def check_layout(root):
    check(os.access(root + PROGRAM, os.X_OK) and read(root + PROGRAM, "rb").startswith(b"\x7fELF"),
          "the program is an executable in /usr/lib/games/wobblersaga")
    check(os.access(root + COMMAND, os.X_OK) and read(root + COMMAND).startswith("#!/bin/sh\n"),
          "the command is a shell launcher in /usr/games")
    check(files_under(root + "/usr", "-mindepth 1 -maxdepth 1") == {"games", "lib", "share"}, "only games, lib, share in /usr")
    check(files_under(root + "/usr/games") == {"wobblersaga"}, "/usr/games holds the command alone")

    # Every picture, board, sound and tune, byte for byte; the fonts are links.
    data_files = [name for name in files_under(SOURCE + "/data") if not name.endswith(".ttf")]
    for name in data_files:
        check(read(f"{SOURCE}/data/{name}", "rb") == read(f"{root}{DATA}/{name}", "rb"),
              f"data/{name} is installed as it is")
    check(len(data_files) > 90, "the whole of data/ is compared", len(data_files))

    # Relative links, which hold wherever the package is unpacked, to the system's fonts.
    links = files_under(root + DATA, "-type l")
    check(links == {"fonts/Default.ttf", "fonts/Destructo.ttf", "interface/Default.ttf"}, "the fonts are links", links)
    for font in links:
        path = f"{root}{DATA}/{font}"
        check(os.readlink(path).startswith("../../../fonts/truetype/dejavu/") and
              os.path.realpath(path).startswith(FONT_DIR + "/") and read(path, "rb").startswith(b"\0\1\0\0"),
              f"{font} links relatively to a DejaVu TrueType font", os.readlink(path))


def check_hardening(root):
    program = f"'{root}{PROGRAM}'"
    sections = run(f"readelf -S -W {program}")[0]
    check(".text" in sections and not any(s in sections for s in [".comment", ".symtab", ".debug_info"]),
          "the program is stripped of symbols, notes and debugging data")
    check("BIND_NOW" in run(f"readelf -d -W {program}")[0], "the program binds now")
    check("GNU_RELRO" in run(f"readelf -l -W {program}")[0], "the program has read-only relocations")
    check("pie executable" in run(f"file -L {program}")[0], "the program is position-independent")
    imports = run(f"readelf --dyn-syms -W {program}")[0]
    check("__stack_chk_fail" in imports, "the program has the stack protector")
    check("__snprintf_chk" in imports, "the program has fortified functions")


def check_copyright(root):
    text = read(root + "/usr/share/doc/wobblersaga/copyright")
    check(text.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"),
          "the copyright file is machine-readable")
    copyright = paragraphs(text)
    named = {p["License"].split("\n")[0] for p in copyright if "Files" in p}
    written = {p["License"].split("\n")[0] for p in copyright if "Files" not in p and "License" in p}
    for name in named | written:
        check(licence_text(copyright, name), f"the licence {name} has its text")
    check(written <= named, "every licence text covers files", written - named)
    check(all(p.get("Copyright") for p in copyright if "Files" in p), "every Files paragraph names its holders")
    for ours in ["src/main.cpp", "data/graphics/Wobbler_Right.png", "tools/assets/music.py"]:
        check("Brickwell Games" in covering(copyright, ours).get("Copyright", ""), f"{ours} is ours")

    # The fonts linked to, under the licence their own package gives them, word for word.
    for font in files_under(root + DATA, "-type l"):
        target = os.path.realpath(f"{root}{DATA}/{font}")
        package = run(f"dpkg -S '{target}'")[0].split(":")[0]
        theirs = paragraphs(read(f"/usr/share/doc/{package}/copyright"))
        licence = covering(theirs, os.path.basename(target)).get("License", "?").split("\n")[0]
        ours = covering(copyright, "data/" + font).get("License", "").split("\n")[0]
        check(licence == ours and licence_text(theirs, licence) == licence_text(copyright, licence),
              f"data/{font} carries {package}'s licence {licence} word for word", ours)


def check_desktop_entry(root):
    entry = root + DESKTOP_ENTRY
    report = run(f"desktop-file-validate '{entry}'")[0]
    check(report == "", "desktop-file-validate finds nothing", report)
    for key, wanted in {"Type": "Application", "Name": "Nibbleton Saga", "Exec": COMMAND, "TryExec": COMMAND,
                        "Icon": "wobblersaga", "Actions": "fullscreen;"}.items():
        check(desktop_value(entry, key) == wanted, f"the desktop entry's {key} is {wanted}", desktop_value(entry, key))
    check(desktop_value(entry, "Categories").startswith("Game;"), "the desktop entry is in the Games menu")
    action = "Desktop Action fullscreen"
    check(desktop_value(entry, "Name", action) == "Play full screen" and
          desktop_value(entry, "Exec", action) == COMMAND + " --fullscreen", "the entry can play full screen")

    for size in [48, 64, 128]:
        icon = Image.open(f"{root}/usr/share/icons/hicolor/{size}x{size}/apps/wobblersaga.png").convert("RGBA")
        red, green, blue, alpha = icon.getpixel((size // 2 - size // 8, size // 2))
        check(icon.size == (size, size) and icon.getpixel((0, 0))[3] == 0 and alpha == 255 and red > 200 and
              green > 120 and red - blue > 60, f"the {size} pixel icon is the yellow hero on nothing")


def check_metainfo(root):
    # The whole tree, so the desktop entry the metainfo names must be there too.
    report, status = run(f"appstreamcli validate-tree --no-net '{root}'")
    check(status == 0 and f"{GAME_ID}.metainfo.xml" in report and
          not re.search(r"^\s*[EW]:", report, re.MULTILINE), "appstreamcli validates the metainfo", report)
    metainfo = read(f"{root}/usr/share/metainfo/{GAME_ID}.metainfo.xml")
    for part in [f"<id>{GAME_ID}</id>", f'<launchable type="desktop-id">{GAME_ID}.desktop<',
                 '<screenshot type="default">', '<content_rating type="oars-1.1">\n    <content_attribute id=',
                 "<description>"]:
        check(part in metainfo, f"the metainfo holds {part}")


def check_manual_page(root):
    file = root + "/usr/share/man/man6/wobblersaga.6.gz"
    report = run(f"mandoc -Tlint -W all '{file}'")[0]
    check(report == "", "mandoc finds nothing in the manual page", report)
    page = run(f"gzip -dc '{file}'")[0]
    check(page.startswith(".TH WOBBLERSAGA 6 "), "the manual page is wobblersaga(6)")
    for words in ["\\-\\-width", "\\-\\-height", "\\-\\-help", "\\-\\-version", "\\-\\-verbose", "\\-\\-fullscreen",
                  "stdout.log", OPTIONS_FILE, "APPDATA", "XDG_DATA_HOME", "XDG_STATE_HOME", "DISPLAY",
                  "WAYLAND_DISPLAY", "Arrow keys", "Space", "Escape", "Enter", "F1", "F2", "Joysticks", "D-pad",
                  "Mouse"]:
        check(words in page, f"the manual page tells of {words}")


def check_another_prefix(root, scratch):
    prefix = scratch + "/prefix"
    run(f"cmake --install '{BUILD_ROOT}' --prefix '{prefix}'")
    packaged = files_under(root + "/usr") - {"share/fonts/truetype/dejavu"}  # the font packages' own
    check(files_under(prefix) == packaged, "another prefix gets the package's files", files_under(prefix) ^ packaged)
    check(read(prefix + "/games/wobblersaga") == read(root + COMMAND), "another prefix gets the same launcher")
    # The menu finds this prefix's command, and the fonts outside it.
    entry = f"{prefix}/share/applications/{GAME_ID}.desktop"
    check(desktop_value(entry, "Exec") == prefix + "/games/wobblersaga" and
          desktop_value(entry, "Exec", "Desktop Action fullscreen") == prefix + "/games/wobblersaga --fullscreen",
          "another prefix's menu entry starts its own command")
    for font in files_under(prefix + "/share/games/wobblersaga", "-type l"):
        check(os.readlink(f"{prefix}/share/games/wobblersaga/{font}").startswith(FONT_DIR + "/"),
              f"another prefix's {font} links to the system's font")


class Player:
    """A home of its own, where the launcher runs by its full path, as the menu starts it."""

    def __init__(self, root, folder, **variables):
        self.command = root + COMMAND
        self.home = folder + "/home"
        os.makedirs(self.home)
        unset = ["XDG_STATE_HOME", "XDG_DATA_HOME", "APPDATA", "WAYLAND_DISPLAY"]
        self.env = {k: v for k, v in os.environ.items() if k not in unset}
        self.env.update(HOME=self.home, SDL_AUDIODRIVER="dummy", **variables)
        self.state = variables.get("XDG_STATE_HOME", self.home + "/.local/state") + "/wobblersaga"
        self.keep = variables.get("XDG_DATA_HOME", self.home + "/.local/share") + "/wobblersaga"

    def run(self, arguments="", environment=""):
        """What the launcher printed, its status; the game gives up at once on a display that is not there.
        Started from the home folder, where a relative folder would land."""
        return run(f"cd '{self.home}' && env {environment} '{self.command}' {arguments}", env=self.env)

    def log(self):
        path = self.state + "/stdout.log"
        return read(path) if os.path.exists(path) else ""


def start_display():
    """An Xvfb of the check's own, of a size none of the game's defaults has."""
    reader, writer = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "%dx%dx24" % FULL_SCREEN,
                               "+extension", "GLX", "-nolisten", "tcp", "-noreset"], pass_fds=[writer],
                              stderr=subprocess.DEVNULL)
    os.close(writer)
    with os.fdopen(reader) as number:
        return server, ":" + number.readline().strip()


def wait_until(condition, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.1)
    return False


def check_launcher_plays_full_screen(root, scratch, display):
    before = files_under(root)
    player = Player(root, scratch + "/plays", DISPLAY=display, LIBGL_ALWAYS_SOFTWARE="1")
    # Options an earlier version kept in the home folder, where the game puts them
    # without APPDATA, move to the desktop's data folder.
    player.run(environment=f"APPDATA='{player.home}' DISPLAY=:4093 SDL_VIDEODRIVER=x11")
    old = read(f"{player.home}/{OPTIONS_FILE}")
    with open(f"{player.home}/{OPTIONS_FILE}", "w") as file:
        file.write("96" + old[old.index("\n"):])
    os.remove(player.state + "/stdout.log")
    game = subprocess.Popen([player.command, "--fullscreen"], env=player.env)
    try:
        check(wait_until(lambda: "Main loop...\n" in player.log()), "the launcher starts the game", player.log())
        # exec: the process the desktop started is the game itself, so signals reach it.
        proc = f"/proc/{game.pid}"
        check(os.path.realpath(proc + "/exe") == os.path.realpath(root + PROGRAM), "the launcher becomes the game")
        check(os.path.realpath(proc + "/cwd") == os.path.realpath(player.state) and
              os.path.realpath(player.state + "/data") == os.path.realpath(root + DATA),
              "the game plays in the player's state folder with the installed data linked in")
        check(read(proc + "/cmdline").split("\0")[1:-1] == ["--width", str(FULL_SCREEN[0]), "--height",
                                                           str(FULL_SCREEN[1])],
              "--fullscreen becomes the display's size", read(proc + "/cmdline"))
        # The installed data, fonts and all, carries it through the logo screens to the
        # title menu, drawn over the whole screen: the selector stands left of "Start!".
        window = lambda: run(f"DISPLAY={display} xdotool search --onlyvisible --name 'Nibbleton Saga'")[0].split()

        def title_shows():
            run(f"DISPLAY={display} xdotool mousemove 5 5 click 1")
            run(f"DISPLAY={display} import -window root '{scratch}/screen.png'")
            screen = Image.open(f"{scratch}/screen.png").convert("RGB")
            red, green, blue = screen.getpixel((170 * FULL_SCREEN[0] // 640, 196 * FULL_SCREEN[1] // 480))
            return abs(red - 250) < 24 and abs(green - 186) < 24 and abs(blue - 73) < 24

        check(wait_until(lambda: window()), "the game opens its window")
        geometry = run(f"DISPLAY={display} xdotool getwindowgeometry {' '.join(window()[:1])}")[0]
        check("Geometry: %dx%d" % FULL_SCREEN in geometry, "the game fills the screen", geometry)
        check(wait_until(title_shows, 30), "the title menu shows full screen")
    finally:
        game.send_signal(signal.SIGTERM)
        status = game.wait(20)
    check(status == 0 and "...Quit game\n" in player.log() and "ERROR" not in player.log(),
          "the game ends in order", f"status {status}\n{player.log()}")
    options = f"{player.keep}/{OPTIONS_FILE}"
    check(os.path.exists(options) and read(options).startswith("96\n") and read(options).count("\n") == 138,
          "the options move from home to the desktop's data folder and are saved there")
    check(not os.path.exists(f"{player.home}/{OPTIONS_FILE}"), "the old options file is gone from home")
    check(files_under(root) == before, "the installed tree stays untouched")


def check_launcher_follows_the_environment(root, scratch):
    base = scratch + "/env"
    player = Player(root, base, XDG_STATE_HOME=base + "/state", XDG_DATA_HOME=base + "/share",
                    DISPLAY=":4093", SDL_VIDEODRIVER="x11")
    os.makedirs(player.state)
    os.symlink("/nonexistent/data", player.state + "/data")  # left by an install elsewhere
    os.makedirs(player.keep)
    with open(f"{player.home}/{OPTIONS_FILE}", "w") as old, open(f"{player.keep}/{OPTIONS_FILE}", "w") as kept:
        old.write("64\n")
        kept.write("32\n")
    for _ in range(2):
        printed, status = player.run("--version --width")
        log = player.log()
        check(status == 0 and re.search("src/runtime:31 error: missing --width argument\n.*Wobbler 100% .*"
                                         r"\.\.\.Quit game", log, re.DOTALL) and "ERROR: " in log,
              "the launcher passes the arguments and the game's status on", f"{status} {printed}\n{log}")
        check(os.path.realpath(player.state + "/data") == os.path.realpath(root + DATA),
              "a stale data link is pointed at this install")
    check(read(f"{player.home}/{OPTIONS_FILE}") == "64\n" and read(f"{player.keep}/{OPTIONS_FILE}").startswith("32\n"),
          "options in the data folder are never overwritten by an old file in home")
    check(not os.path.exists(player.home + "/.local"), "XDG_STATE_HOME and XDG_DATA_HOME are followed")
    player.run("--record session.demo")
    check(read(player.home + "/session.demo").startswith("wobblersaga demo 3\n"),
          "a demo is named from the folder the command was started in", player.log())

    mine = base + "/mine"
    os.makedirs(mine)
    player.run(environment=f"APPDATA='{mine}'")
    check(os.path.exists(f"{mine}/{OPTIONS_FILE}") and read(f"{player.home}/{OPTIONS_FILE}") == "64\n",
          "a folder the player chose with APPDATA is kept")


def check_launcher_refuses(root, scratch):
    base = scratch + "/refuses"
    player = Player(root, base, DISPLAY=":4093")
    os.makedirs(base + "/in-the-way/wobblersaga/data")
    with open(base + "/in-the-way/wobblersaga/data/mine", "w") as mine:
        mine.write("keep\n")
    with open(base + "/a-file", "w") as file:
        file.write("not a folder\n")
    for why, environment, arguments, named in [
            ("no graphical session", "-u DISPLAY", "", "DISPLAY"),
            ("no home for the state folder", "-u DISPLAY -u HOME WAYLAND_DISPLAY=wayland-0", "", "XDG_STATE_HOME"),
            ("a file for the state folder", f"XDG_STATE_HOME='{base}/a-file'", "", "a-file/wobblersaga"),
            ("a folder where the data link goes", f"XDG_STATE_HOME='{base}/in-the-way'", "", "in the way"),
            ("no display to measure", "", "--fullscreen", "size of the display"),
            ("only Wayland to measure", "-u DISPLAY WAYLAND_DISPLAY=wayland-0", "--fullscreen", "size of the display"),
            ("a size beside --fullscreen", "", "--fullscreen --width 800 --height 600", "--width or --height")]:
        printed, status = player.run(arguments, environment)
        check(status == 1 and printed.startswith("ERROR: ") and printed.count("\n") == 1 and named in printed,
              f"{why}: one ERROR line that says so, status 1", f"{status} {printed}")
    check(not os.path.exists(player.home + "/.local/state/wobblersaga/stdout.log") and
          read(base + "/in-the-way/wobblersaga/data/mine") == "keep\n", "nothing is started or overwritten")


def check_launcher_falls_back(root, scratch):
    """Where the desktop's data folder cannot serve, the game plays on with the old file in home and saves it there;
    a relative XDG folder is ignored. Each folder given up is one ERROR line."""
    base = scratch + "/falls-back"
    os.makedirs(base)
    with open(base + "/a-file", "w") as file:
        file.write("not a folder\n")
    # A home of 220 characters, whose data folder would pass the game's 234.
    long_home = base + "/" + "h" * (220 - len(base) - len("//long/home")) + "/long"
    too_long_home = base + "/" + "h" * (240 - len(base) - len("//long")) + "/long"
    for why, folder, environment, errors, named, moves in [
            ("relative XDG folders", base + "/relative", "XDG_STATE_HOME=state XDG_DATA_HOME=share", 2,
             "relative path", True),
            ("a file for the data folder", base + "/file", f"XDG_DATA_HOME='{base}/a-file'", 1, "a-file/wobblersaga",
             False),
            ("a home too long for the data folder", long_home, "", 1, "longer than the game's 234", False),
            ("a home too long for the game", too_long_home, "", 1, "too long as well, so they are not kept", None)]:
        player = Player(root, folder, DISPLAY=":4093", SDL_VIDEODRIVER="x11")
        with open(f"{player.home}/{OPTIONS_FILE}", "w") as old:
            old.write("64\n")
        printed, status = player.run(environment=environment)
        check(status == 0 and printed.count("ERROR: ") == errors == printed.count("\n") and named in printed and
              "...Quit game" in player.log(), f"{why}: {errors} ERROR line(s) that say so, and the game plays",
              f"{status} {printed}")
        kept = read(f"{player.keep if moves else player.home}/{OPTIONS_FILE}")
        saved = kept == "64\n" if moves is None else kept.startswith("64\n") and kept.count("\n") == 138
        check(saved, f"{why}: the game saves the old file in {'the data folder' if moves else 'home'}, if it can", kept)


def main():
    debs = glob.glob(PACKAGE_FOLDER + "/wobblersaga_*.deb")
    if not check(len(debs) == 1, f"one package in {PACKAGE_FOLDER}", debs):
        return 1
    scratch = tempfile.mkdtemp(prefix="wobbler-release-")
    root = scratch + "/root"
    server, display = start_display()
    try:
        run(f"dpkg-deb -x '{debs[0]}' '{root}'")
        os.makedirs(os.path.dirname(root + FONT_DIR))
        os.symlink(FONT_DIR, root + FONT_DIR)  # as apt installs the font packages beside it
        report, status = run(f"lintian -I --pedantic --fail-on error,warning,info,pedantic '{debs[0]}'", timeout=300)
        report = report.replace("running with root privileges is not recommended!\n", "")
        check(status == 0 and report == "", "lintian finds nothing to report", report)
        check_reproducible(debs[0])
        check_package_fields(debs[0], root)
        check_layout(root)
        check_hardening(root)
        check_copyright(root)
        check_desktop_entry(root)
        check_metainfo(root)
        check_manual_page(root)
        check_another_prefix(root, scratch)
        check_launcher_plays_full_screen(root, scratch, display)
        check_launcher_follows_the_environment(root, scratch)
        check_launcher_refuses(root, scratch)
        check_launcher_falls_back(root, scratch)
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(scratch, ignore_errors=True)
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
