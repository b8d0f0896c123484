#!/usr/bin/env python3
"""The demo host on a desktop: runs formwright_demo on a virtual X server (Xvfb) under a reparenting
window manager (openbox), drives it with xdotool as a person would, and checks what the screen shows:

- the "Test Window", "Form2" and the Object Inspector lie wholly on the screen with the outer bounds, frame
  included, that their form files give, the inspector in the bottom-right corner;
- "Edit Form2" puts the dotted grid on Form2, and a click on its Button1 selects it: the eight grab handles
  are in a screenshot;
- a right click opens the designer menu at the pointer, and it shows its entries;
- a double click on Image1 opens the picture dialog, centred on the screen by its frame; opened a second
  time it appears where it stays, without moving once shown;
- a popup menu with nested items, put on the clipboard by another program and pasted with Ctrl+V, gets its
  box on Form2; Delete takes the box away, Ctrl+Z brings it back, and Ctrl+C on it gives the other program
  the menu with every item inside it again.

Every step waits for what it expects, with a time limit; nothing sleeps for a fixed time. Exits 77
(skipped) with one line saying why when a tool is missing or no X server can be started. Screenshots of a
failed step go to SCREENSHOT_DIR.

usage: demo_on_desktop.py DEMO_EXECUTABLE [SCREENSHOT_DIR]
"""
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from xwd_to_png import XwdImage, read_xwd, write_png  # noqa: E402

SKIPPED = 77
SCREEN = (1024, 768)
# Generous for a loaded machine; each wait ends as soon as its condition holds.
STEP_SECONDS = 30

# The outer bounds (left, top, width, height) of the forms, from demo/test.form and demo/testform.form; the
# inspector's corner from its size in inspector/ObjectInspector.form.
TEST_WINDOW = (2, 107, 269, 326)
FORM2 = (273, 107, 432, 340)
INSPECTOR = (SCREEN[0] - 220, SCREEN[1] - 314, 220, 314)
# Client points: "Edit Form2" on the Test Window; Button1 (8, 32, 75, 25) and Image1 on Form2.
EDIT_FORM2 = (54, 15)
BUTTON1 = (45, 44)
IMAGE1 = (100, 200)
# The picture dialog's Cancel button (101, 192, 77, 25 in designer/PictureEditorDlg.form).
PICTURE_CANCEL = (139, 204)
# The top-left pixels of the grab handles around Button1 (5 x 5 black squares).
BUTTON1_HANDLES = [(6, 30), (42, 30), (80, 30), (80, 41), (80, 54), (42, 54), (6, 54), (6, 41)]
# A row of Form2 that no control covers, and the grid's colour.
FREE_ROW_Y = 304
GRID_COLOUR = (128, 128, 128)
BLACK = (0, 0, 0)
# A popup menu pasted into the free strip above Form2's grid (client y 0 to 31), and where its box goes.
PASTED_MENU = """object PopupMenu1: TPopupMenu
  Left = 200
  Top = 2
  object MenuItem1: TMenuItem
    Caption = 'One'
  end
  object MenuItem2: TMenuItem
    Caption = 'Two'
    object MenuItem3: TMenuItem
      Caption = 'Inner'
    end
  end
end
"""
MENU_STRIP = (104, 0, 417, 31)


class Failure(Exception):
    pass


class Desktop:
    """The X server, the window manager and the demo, and the tools that look at them."""

    def __init__(self, work):
        self.work = work
        self.env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
                        XDG_RUNTIME_DIR=work, QT_QPA_PLATFORM="xcb")
        self.processes = []

    def start(self, command, output=None, **kwargs):
        """Starts a program; what it prints goes to `output` in the work folder, by default to a log shown
        when a step fails."""
        log = open(os.path.join(self.work, output or os.path.basename(command[0]) + ".log"), "wb")
        process = subprocess.Popen(command, env=self.env, stdout=log, stderr=subprocess.STDOUT, **kwargs)
        log.close()
        self.processes.append(process)
        return process

    def logs(self):
        """What the programs printed, and how those that ended ended."""
        text = "".join("---- %s exited with %d\n" % (" ".join(p.args), p.returncode)
                       for p in self.processes if p.poll() is not None)
        for name in sorted(os.listdir(self.work)):
            if name.endswith(".log"):
                with open(os.path.join(self.work, name), errors="replace") as f:
                    text += "---- %s\n%s" % (name, f.read()[-2000:])
        return text

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def tool(self, *command):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=STEP_SECONDS)
        return result.stdout if result.returncode == 0 else None

    def start_x_server(self):
        """The display name, or None with the reason when no server starts."""
        read_end, write_end = os.pipe()
        server = self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN,
                             "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        # The server writes the number and then a line end, once it accepts connections; closing the pipe
        # before the line end would end the server.
        answer = b""
        deadline = time.monotonic() + STEP_SECONDS
        try:
            while not answer.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], max(deadline - time.monotonic(), 0))
                chunk = os.read(read_end, 64) if ready else b""
                if not chunk:
                    break
                answer += chunk
        finally:
            os.close(read_end)
        if not answer.endswith(b"\n"):
            try:
                return None, "Xvfb exited with %d" % server.wait(timeout=STEP_SECONDS)
            except subprocess.TimeoutExpired:
                return None, "Xvfb did not answer"
        self.env["DISPLAY"] = ":" + answer.decode().strip()
        return self.env["DISPLAY"], None

    # ---- windows

    def window(self, name):
        """The visible top-level window with the title, or None."""
        found = self.tool("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(name))
        ids = found.split() if found else []
        return ids[-1] if ids else None

    def client_rect(self, window):
        info = self.tool("xwininfo", "-id", window)
        if not info:
            return None
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"))

    def outer_rect(self, window):
        """The window's bounds with the frame the window manager put around it, once it has one."""
        extents = self.tool("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        numbers = re.findall(r"\d+", extents.split("=", 1)[1]) if extents and "=" in extents else []
        client = self.client_rect(window)
        if len(numbers) != 4 or not client:
            return None
        left, right, top, bottom = map(int, numbers)
        x, y, width, height = client
        return (x - left, y - top, width + left + right, height + top + bottom)

    def top_level_windows(self):
        """Every child of the root window (frames, popups, unmapped windows) with its rectangle."""
        tree = self.tool("xwininfo", "-root", "-children") or ""
        return {m.group(1): tuple(map(int, m.groups()[1:]))
                for m in re.finditer(r"^\s+(0x[0-9a-f]+) .*?(\d+)x(\d+)\+(-?\d+)\+(-?\d+)", tree, re.M)}

    def new_popups(self, known):
        """The mapped override-redirect windows (menus, drop-down lists) not among `known`."""
        found = {}
        for window, (width, height, x, y) in self.top_level_windows().items():
            if window in known:
                continue
            attributes = self.tool("xwininfo", "-id", window) or ""
            if "Override Redirect State: yes" in attributes and "IsViewable" in attributes:
                found[window] = (x, y, width, height)
        return found

    def frame_window(self, window):
        """The window the window manager put `window` into: its parent below the root."""
        tree = self.tool("xwininfo", "-children", "-id", window) or ""
        match = re.search(r"Parent window id: (0x[0-9a-f]+)", tree)
        return match.group(1) if match else None

    def watch_windows(self):
        """Records what the server tells about the windows on the root (creation, frames, moves)."""
        self.start(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"], output="xev.events")

    def window_events(self):
        """The recorded notices as (kind, window, (x, y, width, height) or None), oldest first."""
        with open(os.path.join(self.work, "xev.events"), errors="replace") as f:
            text = f.read()
        events = []
        for block in text.split("\n\n"):
            head = re.match(r"\s*(\w+Notify) event", block)
            window = re.search(r"\bwindow (0x[0-9a-f]+), \((-?\d+),(-?\d+)\), width (\d+), height (\d+)", block) \
                or re.search(r"\bwindow (0x[0-9a-f]+)", block[block.find("\n"):])
            if head and window:
                rect = tuple(map(int, window.groups()[1:])) if window.re.groups > 1 else None
                events.append((head.group(1), window.group(1), rect))
        return events

    def screenshot(self, window):
        dump = subprocess.run(["xwd", "-silent", "-id", window], env=self.env, capture_output=True,
                              timeout=STEP_SECONDS)
        return XwdImage(dump.stdout) if dump.returncode == 0 and dump.stdout else None

    def save_screen(self, path):
        dump = subprocess.run(["xwd", "-silent", "-root"], env=self.env, capture_output=True,
                              timeout=STEP_SECONDS)
        if dump.returncode == 0:
            width, height, rows, _x, _y = read_xwd(dump.stdout)
            write_png(path, width, height, rows)

    # ---- input

    def click(self, window, point, button=1, repeat=1):
        x, y, _w, _h = self.client_rect(window)
        self.tool("xdotool", "mousemove", str(x + point[0]), str(y + point[1]), "click", "--repeat",
                  str(repeat), "--delay", "80", str(button))
        return (x + point[0], y + point[1])

    def key(self, name):
        self.tool("xdotool", "key", name)


def wait_for(what, probe, timeout=STEP_SECONDS):
    """Polls `probe` until it returns something true and returns that; fails with the last value."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for %s" % what)
        time.sleep(0.02)


def wait_for_value(what, probe, expected, timeout=STEP_SECONDS):
    """Polls `probe` until it returns `expected`; fails showing the last value."""
    seen = []

    def matches():
        seen[:] = [probe()]
        return seen[0] == expected

    try:
        wait_for(what, matches, timeout)
    except Failure:
        raise Failure("%s: expected %s, got %s" % (what, expected, seen[0] if seen else None))


def on_screen(rect):
    x, y, width, height = rect
    return x >= 0 and y >= 0 and x + width <= SCREEN[0] and y + height <= SCREEN[1]


def has_grid(image):
    """Grid dots every 8 pixels along a free row of the design surface, and none between them."""
    if not image:
        return False
    xs = range(8, image.width - 8, 8)
    return all(image.pixel(x, FREE_ROW_Y) == GRID_COLOUR for x in xs) and \
        all(image.pixel(x + 4, FREE_ROW_Y) != GRID_COLOUR for x in xs)


def is_painted(image):
    """Mostly not black: a popup that has painted itself (before, the server shows it black)."""
    if not image:
        return False
    samples = [image.pixel(x, y) for y in range(0, image.height, 4) for x in range(0, image.width, 4)]
    return sum(p != BLACK for p in samples) > len(samples) // 2


def has_handles(image):
    return bool(image) and all(image.pixel(x, y) == BLACK for x, y in BUTTON1_HANDLES)


def run(desktop, demo):
    # A window mapped while the window manager is still starting may be left unmanaged and unmapped.
    ready = os.path.join(desktop.work, "window-manager-ready")
    desktop.start(["openbox", "--sm-disable", "--startup", "touch " + ready])
    wait_for("the window manager", lambda: os.path.exists(ready))
    desktop.watch_windows()
    demo_process = desktop.start([demo])

    windows = {}
    for name, bounds in (("Test Window", TEST_WINDOW), ("Form2", FORM2), ("Object Inspector", INSPECTOR)):
        windows[name] = wait_for("the window " + name, lambda: desktop.window(name))
        wait_for_value("the outer bounds of " + name, lambda: desktop.outer_rect(windows[name]), bounds)
        if not on_screen(bounds):
            raise Failure("%s is not wholly on the screen: %s" % (name, bounds))
    form2 = windows["Form2"]

    desktop.click(windows["Test Window"], EDIT_FORM2)
    wait_for("the grid on Form2", lambda: has_grid(desktop.screenshot(form2)))

    desktop.click(form2, BUTTON1)
    wait_for("the grab handles around Button1", lambda: has_handles(desktop.screenshot(form2)))

    known = desktop.top_level_windows()
    pointer = desktop.click(form2, BUTTON1, button=3)
    menus = wait_for("the designer menu", lambda: desktop.new_popups(known))
    window, menu = next(iter(menus.items()))
    if menu[:2] != pointer:
        raise Failure("the designer menu opened at %s, the pointer is at %s" % (menu[:2], pointer))
    wait_for("the designer menu's entries", lambda: is_painted(desktop.screenshot(window)))
    desktop.key("Escape")
    wait_for("the designer menu to close", lambda: not desktop.new_popups(known))

    # The second time, the dialog shows in the frame the first one had: where it stays, at once.
    for time_shown in ("first", "second"):
        rect, frame = open_picture_dialog(desktop, form2)
        if time_shown == "second":
            wait_for("the server's notices about the picture dialog's frame",
                     lambda: ("DestroyNotify", frame) in [(e[0], e[1]) for e in desktop.window_events()])
            moves = frame_moves_after_mapping(desktop.window_events(), frame)
            if moves:
                raise Failure("the picture dialog, shown a second time, moved after it appeared: %s" % moves)

    paste_delete_and_undo_a_menu(desktop, form2, demo_process)


def open_picture_dialog(desktop, form2):
    """Opens the picture dialog, checks it is centred by its frame and closes it; its rectangle and the
    frame window around it."""
    desktop.click(form2, IMAGE1, repeat=2)
    dialog = wait_for("the picture dialog", lambda: desktop.window("Picture"))

    def centred_rect():
        rect = desktop.outer_rect(dialog)
        centred = rect and rect[:2] == ((SCREEN[0] - rect[2]) // 2, (SCREEN[1] - rect[3]) // 2)
        return rect if centred else None

    rect = wait_for("the picture dialog centred on the screen by its frame", centred_rect)
    if not on_screen(rect):
        raise Failure("the picture dialog is not wholly on the screen: %s" % (rect,))
    frame = desktop.frame_window(dialog)
    desktop.click(dialog, PICTURE_CANCEL)
    wait_for("the picture dialog to close", lambda: not desktop.window("Picture"))
    return rect, frame


def strip_changes(before, after):
    """The points of MENU_STRIP whose pixels differ between two screenshots of Form2."""
    left, top, right, bottom = MENU_STRIP
    return [(x, y) for y in range(top, bottom) for x in range(left, right)
            if before.pixel(x, y) != after.pixel(x, y)]


def paste_delete_and_undo_a_menu(desktop, form2, demo_process):
    """Another program offers a popup menu with items on the clipboard; it is pasted, deleted and the
    deletion undone with the keys a person uses, and the menu copied back must hold every item."""
    def alive():
        if demo_process.poll() is not None:
            raise Failure("the demo ended (%d)" % demo_process.returncode)
        return True

    desktop.click(form2, (MENU_STRIP[0] + 150, 12))
    wait_for("no grab handles on Form2", lambda: not has_handles(desktop.screenshot(form2)))
    before = wait_for("a screenshot of Form2", lambda: desktop.screenshot(form2))
    owner = desktop.start(["xclip", "-quiet", "-selection", "clipboard"], output="xclip.log",
                          stdin=subprocess.PIPE)
    owner.stdin.write(PASTED_MENU.encode())
    owner.stdin.close()

    desktop.key("ctrl+v")
    changed = wait_for("the pasted menu's box", lambda: alive() and strip_changes(
        before, desktop.screenshot(form2)))
    box = (min(x for x, _ in changed), min(y for _, y in changed))
    desktop.key("Delete")
    wait_for("the box to go with the deleted menu", lambda: alive() and not strip_changes(
        before, desktop.screenshot(form2)))
    desktop.key("ctrl+z")
    wait_for("the menu's box back after Ctrl+Z", lambda: alive() and strip_changes(
        before, desktop.screenshot(form2)))

    desktop.click(form2, (box[0] + 14, box[1] + 14))
    desktop.key("ctrl+c")
    # Copying takes the clipboard from xclip, which ends then.
    wait_for("the demo to own the clipboard", lambda: alive() and owner.poll() is not None)
    copied = wait_for("the copied menu", lambda: desktop.tool("xclip", "-o", "-selection", "clipboard"))
    nested = re.sub(r"\s+", " ", copied)
    expected = ("object PopupMenu1: TPopupMenu Left = 200 Top = 2 object MenuItem1: TMenuItem Caption = 'One' "
                "end object MenuItem2: TMenuItem Caption = 'Two' object MenuItem3: TMenuItem Caption = 'Inner' "
                "end end end")
    if nested.strip() != expected:
        raise Failure("the menu copied after Ctrl+Z is not the one pasted:\n%s" % copied)


def frame_moves_after_mapping(events, frame):
    """The rectangles a frame window took while it was mapped, other than the one it was mapped with."""
    placed, mapped, moves = None, False, []
    for kind, window, rect in events:
        if window != frame:
            continue
        if kind == "ConfigureNotify":
            if mapped and rect != placed:
                moves.append((placed, rect))
            placed = rect
        elif kind in ("MapNotify", "UnmapNotify"):
            mapped = kind == "MapNotify"
    return moves


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    demo = os.path.abspath(sys.argv[1])
    shots = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    tools = ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "xwd", "xev", "stdbuf", "xclip")
    missing = [t for t in tools if not shutil.which(t)]
    if missing:
        print("SKIPPED: the desktop run needs %s (scripts/setup.sh installs them)" % ", ".join(missing))
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix="formwright-desktop-") as work:
        desktop = Desktop(work)
        try:
            display, reason = desktop.start_x_server()
            if not display:
                print("SKIPPED: no X server could be started (%s)" % reason)
                return SKIPPED
            started = time.monotonic()
            try:
                run(desktop, demo)
            except Failure as failure:
                print("FAILED: %s" % failure)
                print(desktop.logs())
                if shots:
                    os.makedirs(shots, exist_ok=True)
                    desktop.save_screen(os.path.join(shots, "demo_on_desktop_failure.png"))
                    print("screenshot: %s" % os.path.join(shots, "demo_on_desktop_failure.png"))
                return 1
            print("the demo on %s with openbox: windows, designing, handles, menu, picture dialog and "
                  "undoing a deleted menu as expected (%.1f s)" % (display, time.monotonic() - started))
            return 0
        finally:
            desktop.stop()


if __name__ == "__main__":
    sys.exit(main())
