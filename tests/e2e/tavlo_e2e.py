#!/usr/bin/env python3
"""The real program in its own X server, driven by keys and clicks as a person drives it: start on a folder
as the desktop's "Open with" starts it, load,
build, a question answered each way, the browser (a recorder made the desktop's) asked for the right
page, end. Usage: tavlo_e2e.py PROGRAM; exits 0 when passed, 1 when failed, 77 when a tool is missing."""
import os, re, shutil, subprocess, sys, tempfile, time, urllib.parse

# Where a person clicks: the controls used, in twips (left, top, width, height), as designed.
CONTROLS = {"cmdCONFERMA": (6855, 915, 2310, 660), "Command1": (6855, 2520, 2310, 615),
            "txtNUM_FILE": (8040, 5490, 975, 285), "cmdFINE": (8190, 6120, 960, 495)}
FILES = {"recorder": '#!/bin/sh\necho "$@" >> "$HOME/../opened"\n', "Le Foto/Mare 1.jpg": "", "Le Foto/M/Onda.JPG": "",
         "data/applications/r.desktop": "[Desktop Entry]\nType=Application\nName=R\nExec=WORK/recorder %u\n",
         "config/mimeapps.list": "[Default Applications]\ntext/html=r.desktop\nx-scheme-handler/file=r.desktop\n"}


def main(program, work):
    run = lambda *command: subprocess.run(list(map(str, command)), env=env, capture_output=True).stdout.decode("latin-1")
    find = lambda title: run("xdotool", "search", "--onlyvisible", "--name", title).split()
    pages = lambda: [urllib.parse.unquote(urllib.parse.urlparse(line).path)
                     for line in open(work + "/opened")] if os.path.exists(work + "/opened") else []

    def wait_for(condition, what):
        for _ in range(600):
            if (value := condition()) or tavlo.poll() is not None:
                break
            time.sleep(0.1)
        assert value, "the program ended, or timed out, waiting for " + what
        return value

    def answer(key, what):  # the message box, titled TAVLO
        box = wait_for(lambda: find("^TAVLO$"), what)[0]
        run("xdotool", "windowfocus", "--sync", box, "key", key)
        wait_for(lambda: box not in find("^TAVLO$"), what + " to close on " + key)

    def place(control, inset=0):  # left, top, width, height on the screen
        left, top, width, height = (round(v / 15 * scale) for v in CONTROLS[control])
        return x + left + inset, y + top + inset, width - 2 * inset, height - 2 * inset

    def click(control):  # at the control's centre, when no box is open
        assert not find("^TAVLO$"), "a box was open when %s was to be clicked" % control
        run("xdotool", "mousemove", "--sync", *(a + b // 2 for a, b in zip(place(control)[:2], place(control)[2:])), "click", "1")

    count = lambda: run("import", "-window", "root", "-crop",  # the pixels of what txtNUM_FILE shows
                        "%dx%d+%d+%d" % (*place("txtNUM_FILE", 3)[2:], *place("txtNUM_FILE", 3)[:2]), "rgb:-")

    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-dpi", "96",
                             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    for name, text in FILES.items():
        os.makedirs(os.path.dirname(os.path.join(work, name)), exist_ok=True)
        open(os.path.join(work, name), "w").write(text.replace("WORK", work))
    os.chmod(work + "/recorder", 0o755), os.makedirs(work + "/home")
    env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "DBUS_", "WAYLAND_"))} | dict(
        HOME=work + "/home", LC_ALL="it_IT.UTF-8", XDG_CONFIG_HOME=work + "/config", XDG_DATA_HOME=work + "/data",
        XDG_CURRENT_DESKTOP="X-Generic", DISPLAY=":" + os.read(read_end, 9).decode().strip())
    photos, page, folder = work + "/Le Foto", work + "/Le Foto/GALLERIA.HTM", os.path.dirname(os.path.realpath(program))
    before = sorted(os.listdir(folder))
    tavlo = subprocess.Popen([program, "--finestra", "Le Foto"], env=env, cwd=work)  # as the desktop entry does
    try:
        answer("n", "the window-mode question, N for No: the complete window")
        window = wait_for(lambda: find("^Creazione Tavlo Multimediali"), "the window")[0]
        assert re.search(r"Icon \(16 x 16\).*Icon \(32 x 32\)", run("xprop", "-id", window, "_NET_WM_ICON"), re.S), "no icon"
        geometry = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", window).split())
        x, y, scale = int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]) / (9285 / 15)
        # The search folder is the one the program was started on; the focus is there.
        run("xdotool", "windowfocus", "--sync", window, "key", "Tab", "Tab", "ctrl+a", "type", "--delay", "20",
            photos + "/galleria.htm")
        shown = count()
        click("cmdCONFERMA")
        wait_for(lambda: count() != shown, "the count of the load")
        click("Command1")
        answer("Return", "the view question, Yes by default")
        assert wait_for(pages, "the browser") == [page], "the browser was asked for %s" % pages()
        assert all(os.path.isfile(photos + "/" + name) for name in ("MARE 1.HTM", "ONDA.HTM", "DIAPOSIT.JPG"))
        click("cmdFINE")
        assert tavlo.wait(60) == 0 and sorted(os.listdir(folder)) == before and not os.listdir(work + "/home")
    except AssertionError as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        tavlo.kill()
        xvfb.terminate()
    return 0


if __name__ == "__main__":
    if not all(map(shutil.which, ("Xvfb", "xdotool", "xprop", "import", "xdg-open"))):
        sys.exit(print("SKIPPED: Xvfb, xdotool, xprop, ImageMagick's import or xdg-open is missing") or 77)
    with tempfile.TemporaryDirectory(prefix="tavlo-e2e-") as work:
        sys.exit(main(os.path.abspath(sys.argv[1]), work))
