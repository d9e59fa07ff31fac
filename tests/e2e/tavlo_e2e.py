#!/usr/bin/env python3
"""End-to-end test of the TAVLO program in a real X window.

Starts the program under its own Xvfb with Qt's X11 platform and drives it only
as a person would: key presses and mouse clicks sent to the screen. Every click
lands on the control's place in the window's design table (twips, 15 to a pixel
at 96 dpi), so a control drawn anywhere else is missed and the step fails. The
desktop's browser is a small recorder installed in a private desktop set-up, so
the test sees which page the program asked to open. Screenshots of every stage
go to a folder printed at the start.

Usage: tavlo_e2e.py PROGRAM [--templates DIR] [--shots DIR] [--keep] [--only RUN]

Exit code 0 when every check passed, 1 on a failure, 77 when a tool it needs
(Xvfb, xdotool, xprop, import, xdg-open) is missing.
"""

import argparse
import hashlib
import os
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
import urllib.parse

TIMEOUT = 120.0  # seconds for any one thing to happen; generous for busy machines
POLL = 0.1
SKIP = 77

# The design table of the window: left, top, width, height in twips. Kept here on
# purpose, apart from the program's own table, so that a control the program puts
# anywhere else is missed by the click.
FORM_WIDTH, FORM_HEIGHT = 9285, 6750
DESIGN = {
    "txtPATH_RICERCA": (2280, 240, 4335, 285),
    "txtESTENSIONE": (2280, 600, 735, 285),
    "txtNOME_FILE_HTM": (2280, 960, 4335, 285),
    "List1": (120, 1590, 6510, 4935),
    "cmdCONFERMA": (6855, 915, 2310, 660),
    "Command1": (6855, 2520, 2310, 615),
    "cmdFINE": (8190, 6120, 960, 495),
    "txtNUM_FILE": (8040, 5490, 975, 285),
    "Command3": (6855, 360, 2310, 495),
    "cmdCONFERMA_Tutti": (6855, 1575, 2310, 840),
    "cmdCANC_FILE": (6870, 5040, 2295, 330),
    "Command4": (6855, 3120, 2310, 735),
    "txtMAX_N_FILES": (8685, 3960, 495, 285),
    "txtMAX_PER_RIGA": (8685, 4275, 495, 285),
    "Check1": (6975, 5835, 1920, 225),
    "Command5": (6870, 6120, 1320, 495),
}
CAPTION = "Creazione Tavlo Multimediali / Siti Internet  .HTML di una Cartella e relative sotto cartelle"
PICKER_TITLE = "Ricerca cartelle/directory contenenti Foto/Film/Suoni"
TEMPLATES = ["Intestaz.htm", "Intest_2.htm", "PIEDE.htm", "DIAPOSIT.JPG", "Film-1a.jpg",
             "Foto-1a.jpg", "Htm-1a.jpg", "Music-1a.jpg", "Sfondo1g.jpg", "Sfondo1p.jpg"]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# Checks made at every poll, so that a wait fails at once when the program or the
# X server has gone, not after its timeout.
guards = []


def wait_for(condition, what, timeout=TIMEOUT):
    """Polls condition() until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        for guard in guards:
            guard()
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(POLL)


# --- the X server and the desktop around the program --------------------------------

class Xserver:
    """An Xvfb of its own, on a free display number away from the usual ones."""

    def __init__(self, log_path):
        self.log = open(log_path, "wb")
        for _ in range(20):
            number = random.randrange(200, 900)
            if not os.path.exists("/tmp/.X%d-lock" % number) and self.start(number):
                self.display = ":%d" % number
                return
        raise Failure("Xvfb did not start (see %s)" % log_path)

    def start(self, number):
        """Starts Xvfb on the display; false when it ended without becoming ready
        (another server took the display meanwhile)."""
        read_end, write_end = os.pipe()
        # Xvfb writes the display number to the pipe once it takes connections. Without
        # -noreset it resets when its last client leaves, between two runs of the program,
        # and refuses the next program's connection while it does.
        self.process = subprocess.Popen(
            ["Xvfb", ":%d" % number, "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:
            ready, _, _ = select.select([pipe], [], [], TIMEOUT)
            started = bool(ready) and pipe.readline().strip() == str(number).encode()
        if not started:
            self.stop()
        return started

    def check_running(self):
        check(self.process.poll() is None, "the X server %s ended" % self.display)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Desktop:
    """A private home and desktop set-up whose browser is a recorder: every page the
    program opens is appended to a log instead of being shown."""

    def __init__(self, root):
        self.root = root
        self.home = os.path.join(root, "home")
        self.log = os.path.join(root, "opened.log")
        self.recorder = os.path.join(root, "recorder")
        config, data, cache, runtime = (os.path.join(root, d) for d in ("config", "data", "cache", "runtime"))
        for folder in (self.home, config, os.path.join(data, "applications"), cache, runtime):
            os.makedirs(folder)
        os.chmod(runtime, 0o700)
        with open(self.recorder, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' % self.log)
        os.chmod(self.recorder, 0o755)
        with open(os.path.join(data, "applications", "tavlo-test-recorder.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%u\n"
                    "MimeType=text/html;x-scheme-handler/file;\n" % self.recorder)
        with open(os.path.join(config, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\ntext/html=tavlo-test-recorder.desktop\n"
                    "x-scheme-handler/file=tavlo-test-recorder.desktop\n")
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("QT_", "XDG_", "KDE_", "GNOME_", "MATE_", "DBUS_", "WAYLAND_"))
                    and k not in ("DESKTOP_SESSION", "SESSION_MANAGER", "BROWSER", "DISPLAY", "XAUTHORITY")}
        self.env.update({
            "HOME": self.home, "LC_ALL": "C.UTF-8", "LANG": "C.UTF-8",
            "XDG_CONFIG_HOME": config, "XDG_DATA_HOME": data, "XDG_CACHE_HOME": cache, "XDG_RUNTIME_DIR": runtime,
            # xdg-open's own desktop-neutral way, which honours the files above;
            # BROWSER is its last resort.
            "XDG_CURRENT_DESKTOP": "X-Generic", "BROWSER": self.recorder,
            "QT_QPA_PLATFORM": "xcb",
        })

    def opened(self):
        """The pages opened so far, as file paths."""
        if not os.path.exists(self.log):
            return []
        pages = []
        with open(self.log) as f:
            for line in f.read().splitlines():
                if line.startswith("file://"):
                    line = urllib.parse.unquote(urllib.parse.urlparse(line).path)
                pages.append(line)
        return pages


# --- the screen: windows, clicks, keys, screenshots ----------------------------------

class Screen:
    def __init__(self, display, env, shots):
        self.env = dict(env, DISPLAY=display)
        self.shots = shots
        self.shot_number = 0

    def run(self, *args):
        result = subprocess.run(args, env=self.env, capture_output=True, timeout=TIMEOUT)
        return result.stdout

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args]).decode()

    def windows(self, pattern):
        """Visible windows whose title matches the regular expression."""
        return self.xdotool("search", "--onlyvisible", "--name", pattern).split()

    def title(self, window):
        return self.xdotool("getwindowname", window).rstrip("\n")

    def geometry(self, window):
        values = dict(line.split("=", 1) for line in self.xdotool("getwindowgeometry", "--shell", window).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def focus(self, window):
        """Gives a window the keyboard focus, as a window manager does for the window
        that comes up, and waits until it has it: keys sent before go elsewhere."""
        self.xdotool("windowfocus", window)
        wait_for(lambda: self.xdotool("getwindowfocus").strip() == str(window), "the focus on window " + window)

    def click_at(self, x, y):
        self.xdotool("mousemove", "--sync", x, y, "click", 1)

    def keys(self, *keys):
        self.xdotool("key", "--delay", 40, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 25, "--", text)

    def pixels(self, x, y, width, height):
        """The screen's pixels in a rectangle, as a digest."""
        data = self.run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y), "rgb:-")
        check(data, "import gave no pixels")
        return hashlib.sha1(data).hexdigest()

    def screenshot(self, stage):
        self.shot_number += 1
        name = re.sub(r"[^A-Za-z0-9]+", "-", stage).strip("-")
        path = os.path.join(self.shots, "%02d-%s.png" % (self.shot_number, name))
        self.run("import", "-window", "root", path)
        return path


class Window:
    """The program's main window: controls clicked at their design places."""

    def __init__(self, screen, window_id):
        self.screen = screen
        self.id = window_id
        self.x, self.y, width, height = screen.geometry(window_id)
        # 15 twips to a pixel at 96 dpi, times the desktop's scale factor.
        self.scale = width / (FORM_WIDTH / 15)
        check(abs(width - round(FORM_WIDTH / 15 * self.scale)) <= 1
              and abs(height - round(FORM_HEIGHT / 15 * self.scale)) <= 1,
              "window is %dx%d pixels, not the design's %dx%d" % (width, height, FORM_WIDTH / 15, FORM_HEIGHT / 15))

    def rect(self, control):
        left, top, width, height = DESIGN[control]
        px = lambda twips: round(twips / 15 * self.scale)
        return self.x + px(left), self.y + px(top), px(width), px(height)

    def centre(self, control):
        x, y, width, height = self.rect(control)
        return x + width // 2, y + height // 2

    def click(self, control):
        # A box open now came from an earlier click that hit something else.
        open_boxes = self.screen.windows("^TAVLO$")
        check(not open_boxes, "a message box was open when %s was to be clicked" % control)
        self.screen.click_at(*self.centre(control))

    def type_into(self, control, text):
        """Clicks into a text box, selects all its text and types over it."""
        self.click(control)
        self.screen.keys("ctrl+a")
        self.screen.type(text)

    def click_first_list_row(self):
        x, y, _, _ = self.rect("List1")
        self.screen.click_at(x + round(40 * self.scale), y + round(8 * self.scale))

    def count_pixels(self):
        """What txtNUM_FILE shows, as a digest of its inside."""
        x, y, width, height = self.rect("txtNUM_FILE")
        return self.screen.pixels(x + 3, y + 3, width - 6, height - 6)

    def load(self, control, stage):
        """Clicks a load button and waits until the count of entries shows anew:
        the count is drawn only once the load has ended. Nothing may have covered
        the count box since the program last handled a click or key of ours, or
        its drawing again would pass for the new count."""
        before = self.count_pixels()
        self.click(control)
        wait_for(lambda: self.count_pixels() != before, "the count of entries after " + stage)
        self.screen.screenshot(stage)


class Boxes:
    """The program's message boxes: windows titled TAVLO."""

    def __init__(self, screen):
        self.screen = screen

    def wait(self, stage):
        box = wait_for(lambda: self.screen.windows("^TAVLO$"), "a message box: " + stage)[0]
        check(self.screen.title(box) == "TAVLO", "the message box is titled %r" % self.screen.title(box))
        self.screen.screenshot(stage)
        return box

    def answer(self, box, key, stage):
        """Presses a key in the box and waits for the box to close: a box without
        the button the key stands for stays open and the wait fails."""
        self.screen.focus(box)
        self.screen.keys(key)
        wait_for(lambda: box not in self.screen.windows("^TAVLO$"),
                 "the message box to close on %s: %s" % (key, stage), timeout=30)

    def answer_ok_only(self, box, stage):
        """An OK-only box has no No: Alt+N leaves it open, Return closes it."""
        self.screen.focus(box)
        self.screen.keys("alt+n")
        # Nothing can be waited for here: the box must simply stay a moment.
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            check(box in self.screen.windows("^TAVLO$"), "the OK-only box closed on Alt+N: " + stage)
            time.sleep(POLL)
        self.answer(box, "Return", stage)

    def ask(self, stage, key):
        self.answer(self.wait(stage), key, stage)


# --- what the pages must hold -------------------------------------------------------

def file_lines(path):
    """A template's lines as the page writer reads them: a line ends at a carriage
    return or a carriage return and line feed; a lone line feed stays in the line."""
    check(os.path.isfile(path), "%s is missing" % path)
    with open(path, "rb") as f:
        data = f.read().decode()
    lines = re.split("\r\n?", data)
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode()


MEDIA_ICONS = {"HTM": "HTM-1A.JPG", "WAV": "MUSIC-1A.JPG", "MP3": "MUSIC-1A.JPG", "MID": "MUSIC-1A.JPG",
               "WMA": "MUSIC-1A.JPG", "AVI": "FILM-1A.JPG"}


def entry_values(entry, page_folder):
    """The values of one entry's cell, for names without characters that need escaping.
    Links name files as they are on disk; the names the program forms are upper case."""
    folder, _, name = entry.rpartition("/")
    folder = folder + "/" if folder else ""
    file_name = name.upper()
    extension = file_name.rpartition(".")[2] if "." in file_name else ""
    media = extension in MEDIA_ICONS or extension.startswith("MP")
    relative = folder[len(page_folder):] if page_folder and len(folder) > len(page_folder) else ""
    view_page = file_name[:len(file_name) - len(extension) - 1] + ".HTM"
    return {
        "file_name": file_name, "relative": relative, "name": name, "media": media,
        "view_page": None if media else view_page,
        "target": relative + name if media else view_page,
        "source": MEDIA_ICONS.get(extension, "FILM-1A.JPG") if media else relative + name,
        "caption": (file_name[:1] + file_name[1:].lower()).strip(),
    }


def cell_lines(v):
    return [
        '<td valign="Top">',
        '  <table border="0" cellpadding="0" cellspacing="0" width=" 130">',
        "  <tr>",
        '   <td background="DIAPOSIT.JPG" width="130" height="130">',
        '    <table border="0" cellpadding="0" cellspacing="0" width="130" height="130">',
        "     <tr>",
        '      <td><p align="center">',
        '        <A HREF="%s">' % v["target"],
        '        <img src="%s" border="0" width="100" height="100"></A>' % v["source"],
        "      </td>",
        "     </tr>",
        "    </table>",
        "   </td>",
        "  </tr>",
        '  <tr><td><p align="center">',
        '        <A HREF="%s">%s</A>' % (v["target"], v["caption"]),
        "</td></tr></table></td>",
        " ",
    ]


def page_lines(header, footer, page_name, entries, page_folder, per_row):
    lines = ["<HTML>"] + header
    if "TAVLO.HTM" not in page_name:
        lines.append('<H2><a href="TAVLO.HTM" target="_top"><p align="center"><font color="#FFFF80">'
                     "<strong><em>Ritorna a pagina iniziale</strong></em></font></p></a></H2>")
    lines += ['<table border="0" cellpadding="0" cellspacing="10" width="130">', "<tr>", " "]
    in_row = 0
    for entry in entries:
        lines += cell_lines(entry_values(entry, page_folder))
        in_row += 1
        if in_row >= per_row:
            lines += [" ", "</tr>", "<tr>", " "]
            in_row = 0
    lines += [" </tr>", "</table>", "</center></div>"]
    return lines + (footer if footer else ["</HTML>"])


def view_page_lines(v, page_name):
    return [
        '<HTML><HEAD><META CHARSET="UTF-8">',  # the program runs in a UTF-8 locale here
        "<TITLE> %s </TITLE>" % v["file_name"],
        "</HEAD><BODY BGCOLOR=#FFFFFF><CENTER><H2><pre>",
        "%s   <A HREF=\"%s\">Torna all'indice dell'tavlo</A></pre></H2>" % (v["file_name"], page_name),
        "<TABLE><TR><TD>",
        '<IMG SRC="%s%s" width= 600  height= 430 ></TD></TR></TABLE></CENTER>' % (v["relative"], v["name"]),
        "</BODY></HTML>",
    ]


class Site:
    """Checks the files a build wrote into a folder."""

    def __init__(self, folder, program_folder, templates):
        self.folder = folder + "/"
        self.program_folder = program_folder
        self.templates = templates

    def path(self, name):
        return os.path.join(self.folder, name)

    def read(self, name):
        check(os.path.isfile(self.path(name)), "%s was not written" % self.path(name))
        with open(self.path(name), "rb") as f:
            return f.read()

    def header(self, ticked):
        return file_lines(os.path.join(self.program_folder, "INTEST_2.HTM" if ticked else "INTESTAZ.HTM"))

    def check_page(self, name, entries, per_row, ticked=False):
        footer = file_lines(os.path.join(self.program_folder, "PIEDE.HTM"))
        expected = crlf(page_lines(self.header(ticked), footer, name, entries, self.folder, per_row))
        actual = self.read(name)
        if actual != expected:
            raise Failure("%s differs from what it must hold:\n%s" % (self.path(name), first_difference(expected, actual)))

    def check_view_pages(self, entries, page_name):
        for entry in entries:
            v = entry_values(entry, self.folder)
            if v["view_page"]:
                actual = self.read(v["view_page"])
                expected = crlf(view_page_lines(v, page_name))
                check(actual == expected, "view page %s differs:\n%s" % (
                    self.path(v["view_page"]), first_difference(expected, actual)))

    def check_templates(self):
        for name in TEMPLATES:
            copy = self.read(name.upper())
            check(copy, "template copy %s is empty" % name.upper())
            if self.templates:
                with open(os.path.join(self.templates, name), "rb") as f:
                    check(copy == f.read(), "%s is not a copy of the template %s" % (self.path(name.upper()), name))


def first_difference(expected, actual):
    want, got = expected.split(b"\r\n"), actual.split(b"\r\n")
    for number, (a, b) in enumerate(zip(want, got), 1):
        if a != b:
            return "  line %d\n  expected %r\n  found    %r" % (number, a, b)
    return "  expected %d lines, found %d" % (len(want) - 1, len(got) - 1)


# --- the runs -----------------------------------------------------------------------

def make_tree(root):
    """A folder tree of every kind of file the load commands meet."""
    files = ["Mare 1.jpg", "nota.txt", ".nascosta.jpg", "pagina.htm", "Film/clip.avi", "Film/clip2.mpg",
             "Musica/Canzone.mp3", "Musica/voce.wma", "Vacanze/Spiaggia.JPG", "Vacanze/Sera/Tramonto.gif"]
    for name in files:
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"<html></html>\n" if name.endswith(".htm") else b"\xff\xd8 " + name.encode())
    # Every known multimedia file, in the order a load finds them: the files of a
    # folder by name, then each sub-folder by name, depth first.
    return [os.path.join(root, n) for n in ["Mare 1.jpg", "pagina.htm", "Film/clip.avi", "Film/clip2.mpg",
                                            "Musica/Canzone.mp3", "Vacanze/Spiaggia.JPG",
                                            "Vacanze/Sera/Tramonto.gif"]]


def folder_state(folder):
    return sorted((name, os.path.getmtime(os.path.join(folder, name))) for name in os.listdir(folder))


class Run:
    """One run of the program from start to F I N E."""

    def __init__(self, program, work, shots, display, name):
        self.program = program
        self.program_folder = os.path.dirname(os.path.realpath(program))
        self.work = os.path.join(work, name)
        os.makedirs(self.work)
        self.desktop = Desktop(os.path.join(self.work, "desktop"))
        self.screen = Screen(display, self.desktop.env, os.path.join(shots, name))
        os.makedirs(self.screen.shots)
        self.boxes = Boxes(self.screen)
        self.process = None
        self.output = os.path.join(self.work, "program.log")

    def start(self, mode_key):
        self.program_folder_before = folder_state(self.program_folder)
        with open(self.output, "wb") as log:
            self.process = subprocess.Popen([self.program], env=self.screen.env, cwd=self.work,
                                            stdout=log, stderr=subprocess.STDOUT)
        guards.append(self.check_running)
        # The window-mode question comes before the window.
        self.boxes.ask("window-mode question", mode_key)
        window = wait_for(lambda: self.screen.windows("^" + re.escape(CAPTION) + "$"), "the main window")[0]
        self.window = Window(self.screen, window)
        self.screen.focus(window)
        icon = self.screen.run("xprop", "-id", window, "_NET_WM_ICON").decode()
        check("Icon (16 x 16)" in icon and "Icon (32 x 32)" in icon, "the window's icon lacks an image of 16 or 32 pixels")
        self.screen.screenshot("window")
        return self.window

    def check_running(self):
        check(self.process.poll() is None, "the program ended (code %s)" % self.process.returncode)

    def finish(self):
        self.window.click("cmdFINE")
        guards.remove(self.check_running)
        wait_for(lambda: self.process.poll() is not None, "the program to end after F I N E")
        self.screen.screenshot("ended")
        check(self.process.returncode == 0, "the program ended with code %d" % self.process.returncode)
        check(folder_state(self.program_folder) == self.program_folder_before,
              "the program folder %s was changed" % self.program_folder)
        # Pages go to the home folder only when their own folder cannot be written.
        written = [name for name in os.listdir(self.desktop.home) if not name.startswith(".")]
        check(not written, "files were written into the home folder: %s" % written)

    def stop(self):
        if self.check_running in guards:
            guards.remove(self.check_running)
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def wait_opened(self, count):
        return wait_for(lambda: len(self.desktop.opened()) >= count and self.desktop.opened(),
                        "the browser to be asked for page %d" % count)


def complete_window_run(run, templates):
    """The complete window: typed folder and page, loads, deletion, single and paged builds."""
    root = os.path.join(run.work, "Le Foto")
    found = make_tree(root)
    window = run.start("alt+n")
    boxes, screen = run.boxes, run.screen

    # The focus starts in the search folder, and Tab leads on to the extension.
    screen.keys("ctrl+a")
    screen.type(root + "/")
    screen.keys("Tab", "ctrl+a")
    screen.type("GIF")

    # Nothing selected in an empty list: a refusal with an OK button only.
    window.click("cmdCANC_FILE")
    boxes.answer_ok_only(boxes.wait("delete with nothing selected"), "delete with nothing selected")

    window.load("cmdCONFERMA", "loaded GIF")
    window.load("cmdCONFERMA_Tutti", "loaded all known types")
    listed = [found[-1]] + found

    # Delete the first entry: No keeps it, Yes removes it.
    window.click_first_list_row()
    window.click("cmdCANC_FILE")
    boxes.ask("delete question answered No", "alt+n")
    window.click("cmdCANC_FILE")
    boxes.ask("delete question answered Yes", "alt+y")
    listed = listed[1:]
    screen.screenshot("entry deleted")

    site = Site(root, run.program_folder, templates)
    window.type_into("txtNOME_FILE_HTM", root + "/galleria.html")
    window.type_into("txtMAX_PER_RIGA", "3")
    window.click("Command1")
    boxes.ask("view question after the single page, No", "alt+n")
    site.check_page("GALLERIA.HTM", listed, 3)
    site.check_view_pages(listed, "GALLERIA.HTM")
    site.check_templates()

    # The page exists now: No to the overwrite question leaves it as it is.
    with open(site.path("GALLERIA.HTM"), "ab") as f:
        f.write(b"<!-- kept -->\r\n")
    kept = site.read("GALLERIA.HTM")
    window.click("Command1")
    boxes.ask("overwrite question, No", "alt+n")
    boxes.ask("view question after a page left as it was, No", "alt+n")
    check(site.read("GALLERIA.HTM") == kept, "the page was written over after No")

    window.click("Command1")
    boxes.ask("overwrite question, Yes", "alt+y")
    boxes.ask("view question, Yes", "alt+y")
    check(run.wait_opened(1) == [site.path("GALLERIA.HTM")],
          "the browser was asked for %s" % run.desktop.opened())
    site.check_page("GALLERIA.HTM", listed, 3)

    # The single-page build left the page size at 0: the paged build refuses.
    window.click("Command4")
    boxes.answer_ok_only(boxes.wait("paged build without a page size"), "paged build without a page size")

    window.type_into("txtNOME_FILE_HTM", root + "/tavlo.htm")
    window.type_into("txtMAX_N_FILES", "3")
    window.click("Command4")
    boxes.ask("view question after the paged build, No", "alt+n")
    pages = ["PAG_1.HTM", "PAG_2.HTM", "PAG_3.HTM"]
    for number, page in enumerate(pages):
        site.check_page(page, listed[3 * number:3 * number + 3], 3)
        site.check_view_pages(listed[3 * number:3 * number + 3], page)
    check(not os.path.exists(site.path("PAG_4.HTM")), "a fourth page was written")
    site.check_page("TAVLO.HTM", pages, 3)
    site.check_templates()

    window.click("Command5")
    check(run.wait_opened(2) == [site.path("GALLERIA.HTM"), site.path("TAVLO.HTM")],
          "the browser was asked for %s" % run.desktop.opened())
    screen.screenshot("result shown")
    run.finish()


def simplified_window_run(run, templates):
    """The simplified window: folder picker, header choice, load and paged build."""
    root = os.path.join(run.work, "Album")
    found = make_tree(root)
    window = run.start("Return")  # Yes is the default answer: the simplified window
    screen = run.screen

    # The folder picker moves both the search folder and the hidden output page.
    window.click("Command3")
    picker = wait_for(lambda: screen.windows("^" + re.escape(PICKER_TITLE) + "$"), "the folder picker")[0]
    # Put aside, below the window, as a person drags a dialog: when it closes, no part
    # of the window is left to be drawn again, and the count box can be watched.
    screen.xdotool("windowmove", picker, window.x, window.y + round(FORM_HEIGHT / 15 * window.scale) + 10)
    screen.focus(picker)
    screen.type(root)
    screen.screenshot("folder picker")
    screen.keys("Return")
    wait_for(lambda: picker not in screen.windows("."), "the folder picker to close")

    window.click("Check1")
    window.load("cmdCONFERMA_Tutti", "loaded all known types")

    # Command1 is not in the simplified window: a click on its place does nothing, so
    # the first box to come is the paged build's.
    site = Site(root, run.program_folder, templates)
    window.click("Command1")
    window.click("Command4")
    box = run.boxes.wait("view question after the paged build")
    check(os.path.exists(site.path("PAG_1.HTM")),
          "a box came before the paged build wrote PAG_1.HTM: the single-page build ran")
    run.boxes.answer(box, "Return", "view question after the paged build, Yes by default")
    check(run.wait_opened(1) == [site.path("TAVLO.HTM")], "the browser was asked for %s" % run.desktop.opened())

    # Start-up's sizes: 10 entries a page (a screen 800 pixels wide or more), 5 a row.
    site.check_page("PAG_1.HTM", found, 5, ticked=True)
    check(not os.path.exists(site.path("PAG_2.HTM")), "a second page was written")
    site.check_page("TAVLO.HTM", ["PAG_1.HTM"], 5, ticked=True)
    site.check_view_pages(found, "PAG_1.HTM")
    site.check_templates()

    window.click("Command5")
    check(run.wait_opened(2) == [site.path("TAVLO.HTM")] * 2, "the browser was asked for %s" % run.desktop.opened())
    screen.screenshot("result shown")
    run.finish()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", help="the tavlo executable (or a link to it)")
    parser.add_argument("--templates", help="folder of the template files, to compare the copies with")
    parser.add_argument("--shots", help="folder for the screenshots (default: a new temporary folder)")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    parser.add_argument("--only", choices=("complete", "simplified"), help="make only one of the two runs")
    args = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "xdotool", "xprop", "import", "xdg-open") if not shutil.which(tool)]
    if missing:
        print("SKIPPED: not installed: " + ", ".join(missing))
        return SKIP
    program = os.path.abspath(args.program)
    if not os.access(program, os.X_OK):
        print("FAILED: no program at " + program)
        return 1

    shots = os.path.abspath(args.shots) if args.shots else tempfile.mkdtemp(prefix="tavlo-e2e-shots-")
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    print("screenshots: " + shots, flush=True)
    work = tempfile.mkdtemp(prefix="tavlo-e2e-")
    xserver = Xserver(os.path.join(work, "xvfb.log"))
    guards.append(xserver.check_running)
    failed = False
    try:
        for name, body in (("complete", complete_window_run), ("simplified", simplified_window_run)):
            if args.only and args.only != name:
                continue
            run = Run(program, work, shots, xserver.display, name)
            print("--- %s window (%s on %s)" % (name, program, xserver.display), flush=True)
            try:
                body(run, args.templates)
                print("ok", flush=True)
            except Exception as e:
                failed = True
                print("FAILED: %s" % (e if isinstance(e, Failure) else traceback.format_exc()))
                try:
                    print("  last screenshot: " + run.screen.screenshot("failure"))
                except Exception:
                    pass
                with open(run.output, errors="replace") as f:
                    output = f.read().strip()
                if output:
                    print("  program output:\n" + output)
            finally:
                run.stop()
    finally:
        xserver.stop()
        if failed or args.keep:
            print("work folder kept: " + work)
        else:
            shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
