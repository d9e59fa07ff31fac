#!/usr/bin/env python3
"""The real program in its own X server, driven by keys and clicks as a person drives it:
start, load, build, a question answered each way, the browser (a recorder set up as the
desktop's browser) asked for the right page, end. Usage: tavlo_e2e.py PROGRAM.
Exits 0 when passed, 1 when failed, 77 when Xvfb, xdotool, xprop, import or xdg-open is missing."""
import os, re, shutil, subprocess, sys, tempfile, time, urllib.parse

# Where a person clicks: the controls used, in twips (left, top, width, height), as designed.
CONTROLS = {"cmdCONFERMA": (6855, 915, 2310, 660), "Command1": (6855, 2520, 2310, 615),
            "txtNUM_FILE": (8040, 5490, 975, 285), "Command5": (6870, 6120, 1320, 495), "cmdFINE": (8190, 6120, 960, 495)}


def main(program, work):
    def run(*command):
        return subprocess.run(list(map(str, command)), env=env, capture_output=True).stdout

    def wait_for(condition, what):
        for _ in range(600):
            if value := condition():
                return value
            assert tavlo.poll() is None, "the program ended, waiting for " + what
            time.sleep(0.1)
        raise AssertionError("timed out waiting for " + what)

    def windows(title):
        return run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title)).decode().split()

    def answer(key, what):  # a message box, titled TAVLO
        box = wait_for(lambda: windows("TAVLO"), what)[0]
        run("xdotool", "windowfocus", "--sync", box, "key", key)
        wait_for(lambda: box not in windows("TAVLO"), what + " to close on " + key)

    def place(control):  # x, y, width, height on the screen
        x, y = int(geometry["X"]), int(geometry["Y"])
        return [round(v / 15 * scale) + offset for v, offset in zip(CONTROLS[control], (x, y, 0, 0))]

    def click(control):
        assert not windows("TAVLO"), "a box was open when %s was to be clicked" % control
        x, y, w, h = place(control)
        run("xdotool", "mousemove", "--sync", x + w // 2, y + h // 2, "click", "1")

    def count():  # the pixels of what txtNUM_FILE shows
        x, y, w, h = place("txtNUM_FILE")
        return run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w - 6, h - 6, x + 3, y + 3), "rgb:-")

    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-dpi", "96",
                             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    for folder in ("home", "config", "data/applications", "runtime", "Le Foto/Mare"):
        os.makedirs(os.path.join(work, folder), mode=0o700)
    opened, photos = work + "/opened.log", work + "/Le Foto"
    files = {"recorder": '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' % opened,
             "data/applications/recorder.desktop": "[Desktop Entry]\nType=Application\nName=R\nExec=%s/recorder %%u\n" % work,
             "config/mimeapps.list": "[Default Applications]\ntext/html=recorder.desktop\nx-scheme-handler/file=recorder.desktop\n",
             "Le Foto/Mare 1.jpg": "", "Le Foto/Mare/Onda.JPG": "", "Le Foto/nota.txt": ""}
    for name, text in files.items():
        with open(os.path.join(work, name), "w") as f:
            f.write(text)
    os.chmod(work + "/recorder", 0o755)
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "DBUS_", "WAYLAND_"))}
    env.update(HOME=work + "/home", LC_ALL="C.UTF-8", XDG_CONFIG_HOME=work + "/config", XDG_DATA_HOME=work + "/data",
               XDG_RUNTIME_DIR=work + "/runtime", XDG_CURRENT_DESKTOP="X-Generic", BROWSER=work + "/recorder",
               QT_QPA_PLATFORM="xcb", DISPLAY=":" + os.read(read_end, 16).decode().strip())
    pages = lambda: [urllib.parse.unquote(urllib.parse.urlparse(line).path)
                     for line in open(opened).read().splitlines()] if os.path.exists(opened) else []
    program_folder = os.path.dirname(os.path.realpath(program))
    before = sorted(os.listdir(program_folder))
    tavlo = subprocess.Popen([program], env=env, cwd=work)
    try:
        answer("alt+n", "the window-mode question, No: the complete window")
        window = wait_for(lambda: windows("Creazione Tavlo Multimediali / Siti Internet  .HTML di una Cartella "
                                          "e relative sotto cartelle"), "the main window")[0]
        icon = run("xprop", "-id", window, "_NET_WM_ICON")
        assert b"Icon (16 x 16)" in icon and b"Icon (32 x 32)" in icon, "the window's icon lacks an image"
        geometry = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", window).decode().split())
        scale = int(geometry["WIDTH"]) / (9285 / 15)
        run("xdotool", "windowfocus", "--sync", window, "key", "ctrl+a")  # the focus starts in the search folder
        run("xdotool", "type", "--delay", "20", photos)
        run("xdotool", "key", "Tab", "Tab", "ctrl+a", "type", "--delay", "20", photos + "/galleria.htm")
        shown = count()
        click("cmdCONFERMA")
        wait_for(lambda: count() != shown, "the count of the load")
        page = photos + "/GALLERIA.HTM"
        click("Command1")
        answer("Return", "the view question, Yes by default")
        assert wait_for(pages, "the browser") == [page], "the browser was asked for %s" % pages()
        assert all(os.path.isfile(photos + "/" + name) for name in ("MARE 1.HTM", "ONDA.HTM", "DIAPOSIT.JPG"))
        click("Command5")
        assert wait_for(lambda: pages()[1:], "the browser, again") == [page], "the browser was asked for %s" % pages()
        click("cmdFINE")
        assert tavlo.wait(60) == 0, "the program ended with code %d" % tavlo.returncode
        assert sorted(os.listdir(program_folder)) == before, "the program folder was changed"
        assert not os.listdir(work + "/home"), "files were written at home"
    except AssertionError as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        tavlo.kill()
        xvfb.terminate()
    print("ok")
    return 0


if __name__ == "__main__":
    if not all(map(shutil.which, ("Xvfb", "xdotool", "xprop", "import", "xdg-open"))):
        print("SKIPPED: Xvfb, xdotool, xprop, ImageMagick's import or xdg-open is missing")
        sys.exit(77)
    with tempfile.TemporaryDirectory(prefix="tavlo-e2e-") as work:
        sys.exit(main(os.path.abspath(sys.argv[1]), work))
