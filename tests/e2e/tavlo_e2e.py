#!/usr/bin/env python3
"""The real program in a real X window (its own Xvfb), driven by keys and mouse
clicks as a person drives it: start, load, build, a question answered each way,
the browser asked for the right page, end. The desktop's browser is a recorder in
a private desktop set-up. The pages' content is the core tests' business.

Usage: tavlo_e2e.py PROGRAM        exit 0: passed, 1: failed, 77: a tool is missing
"""
import os, re, shutil, subprocess, sys, tempfile, time, urllib.parse

# Where a person clicks: the places of the controls used, in twips, from the design.
CONTROLS = {"cmdCONFERMA": (6855, 915, 2310, 660), "Command1": (6855, 2520, 2310, 615),
            "txtNUM_FILE": (8040, 5490, 975, 285), "Command5": (6870, 6120, 1320, 495),
            "cmdFINE": (8190, 6120, 960, 495)}
CAPTION = "Creazione Tavlo Multimediali / Siti Internet  .HTML di una Cartella e relative sotto cartelle"


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def wait_for(condition, what, guard=lambda: None):
    deadline = time.monotonic() + 60
    while not (value := condition()):
        guard()
        check(time.monotonic() < deadline, "timed out waiting for " + what)
        time.sleep(0.1)
    return value


def main(program, work):
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-dpi", "96",
                             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "DBUS_", "WAYLAND_"))}
    home, opened = os.path.join(work, "home"), os.path.join(work, "opened.log")
    for folder in ("home", "config", "data/applications", "runtime", "Le Foto/Mare"):
        os.makedirs(os.path.join(work, folder), mode=0o700)
    recorder = os.path.join(work, "recorder")
    with open(recorder, "w") as f:
        f.write('#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' % opened)
    os.chmod(recorder, 0o755)
    with open(os.path.join(work, "data/applications/recorder.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%u\nMimeType=text/html;\n" % recorder)
    with open(os.path.join(work, "config/mimeapps.list"), "w") as f:
        f.write("[Default Applications]\ntext/html=recorder.desktop\nx-scheme-handler/file=recorder.desktop\n")
    env.update(HOME=home, LC_ALL="C.UTF-8", XDG_CONFIG_HOME=work + "/config", XDG_DATA_HOME=work + "/data",
               XDG_RUNTIME_DIR=work + "/runtime", XDG_CURRENT_DESKTOP="X-Generic", BROWSER=recorder,
               QT_QPA_PLATFORM="xcb", DISPLAY=":" + os.read(read_end, 16).decode().strip())
    photos = os.path.join(work, "Le Foto")
    for name in ("Mare 1.jpg", "Mare/Onda.JPG", "nota.txt"):
        with open(os.path.join(photos, name), "wb") as f:
            f.write(b"\xff\xd8")
    program_files = sorted(os.listdir(os.path.dirname(os.path.realpath(program))))
    tavlo = subprocess.Popen([program], env=env, cwd=work)
    running = lambda: check(tavlo.poll() is None, "the program ended (code %s)" % tavlo.returncode)
    xdotool = lambda *a: subprocess.run(["xdotool", *map(str, a)], env=env, capture_output=True).stdout.decode()
    windows = lambda title: xdotool("search", "--onlyvisible", "--name", "^%s$" % re.escape(title)).split()
    pages = lambda: [urllib.parse.unquote(urllib.parse.urlparse(line).path)
                     for line in open(opened).read().splitlines()] if os.path.exists(opened) else []

    def answer(key, what):  # a message box titled TAVLO, answered by a key
        box = wait_for(lambda: windows("TAVLO"), "the message box: " + what, running)[0]
        xdotool("windowfocus", "--sync", box)
        xdotool("key", key)
        wait_for(lambda: box not in windows("TAVLO"), "the box to close on %s: %s" % (key, what), running)

    try:
        answer("alt+n", "the window-mode question, No: the complete window")
        window = wait_for(lambda: windows(CAPTION), "the main window", running)[0]
        icon = subprocess.run(["xprop", "-id", window, "_NET_WM_ICON"], env=env, capture_output=True).stdout
        check(b"Icon (16 x 16)" in icon and b"Icon (32 x 32)" in icon, "the window's icon lacks an image")
        geometry = dict(l.split("=") for l in xdotool("getwindowgeometry", "--shell", window).split())
        scale = int(geometry["WIDTH"]) / (9285 / 15)

        def rect(control):
            return [round(v / 15 * scale) for v in CONTROLS[control]]

        def click(control):
            x, y, w, h = rect(control)
            check(not windows("TAVLO"), "a box was open when %s was to be clicked" % control)
            xdotool("mousemove", "--sync", int(geometry["X"]) + x + w // 2, int(geometry["Y"]) + y + h // 2, "click", 1)

        def count():  # what txtNUM_FILE shows, as pixels
            x, y, w, h = rect("txtNUM_FILE")
            crop = "%dx%d+%d+%d" % (w - 6, h - 6, int(geometry["X"]) + x + 3, int(geometry["Y"]) + y + 3)
            return subprocess.run(["import", "-window", "root", "-crop", crop, "rgb:-"], env=env,
                                  capture_output=True).stdout

        xdotool("windowfocus", "--sync", window)  # the focus starts in the search folder; Tab leads on
        xdotool("key", "ctrl+a")
        xdotool("type", "--delay", "20", photos)
        xdotool("key", "Tab", "Tab", "ctrl+a")
        xdotool("type", "--delay", "20", photos + "/galleria.htm")
        before = count()
        click("cmdCONFERMA")
        wait_for(lambda: count() != before, "the count after the load", running)
        page = os.path.join(photos, "GALLERIA.HTM")
        click("Command1")
        answer("Return", "the view question, Yes by default")
        check(wait_for(pages, "the browser", running) == [page], "the browser was asked for %s" % pages())
        for name in ("MARE 1.HTM", "ONDA.HTM", "DIAPOSIT.JPG"):
            check(os.path.isfile(os.path.join(photos, name)), name + " is not beside the page")
        written = os.path.getmtime(page)
        click("Command1")
        answer("alt+n", "the overwrite question, No")
        answer("alt+n", "the view question, No")
        check(os.path.getmtime(page) == written, "the page was written again after No")
        click("Command5")
        wait_for(lambda: len(pages()) == 2, "the browser, again", running)
        check(pages() == [page, page], "the browser was asked for %s" % pages())
        click("cmdFINE")
        check(tavlo.wait(60) == 0, "the program ended with code %d" % tavlo.returncode)
        check(sorted(os.listdir(os.path.dirname(os.path.realpath(program)))) == program_files,
              "the program folder was changed")
        check(not [n for n in os.listdir(home) if not n.startswith(".")], "files were written at home")
        print("ok")
        return 0
    except AssertionError as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        tavlo.kill()
        xvfb.terminate()


if __name__ == "__main__":
    missing = [t for t in ("Xvfb", "xdotool", "xprop", "import", "xdg-open") if not shutil.which(t)]
    if missing:
        print("SKIPPED: not installed: " + ", ".join(missing))
        sys.exit(77)
    with tempfile.TemporaryDirectory(prefix="tavlo-e2e-") as work:
        sys.exit(main(os.path.abspath(sys.argv[1]), work))
