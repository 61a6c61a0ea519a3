#!/usr/bin/python3
"""What a screen reader receives from the desktop program, read through AT-SPI.

    python3 scripts/a11y_check.py [build/default/bin/Program]

Starts a virtual screen and an accessibility bus of its own (xvfb-run, dbus-run-session,
at-spi-bus-launcher), starts the program with resources/Program.ini, and then:

- dumps the accessible tree of the main window (to a11y_tree.txt in the working folder);
- presses Down, Right, Right, Down, Left in the grid and logs every focus event: each key must
  give one, naming column, channel and value ("Rx Tone, channel 3: 88.5");
- opens the Read window, Option Features, COM Setup and the Import preview by keyboard and
  checks that no table, tree, list, spin box or icon button in them is unnamed;
- checks that no menu item's name carries a tab.

Prints one line per check and "N passed, M failed"; exits non-zero when a check failed.
Needs python3-pyatspi, at-spi2-core, dbus-x11, xvfb, xdotool (scripts/setup.sh installs them).
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def outer(argv):
    """Runs this script again inside a virtual screen and a private session bus."""
    env = dict(os.environ, A11Y_CHECK_INNER="1")
    cmd = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "dbus-run-session", "--",
           "/usr/bin/python3", os.path.abspath(__file__)] + argv
    return subprocess.call(cmd, env=env)


if not os.environ.get("A11Y_CHECK_INNER"):
    sys.exit(outer(sys.argv[1:]))

import pyatspi  # noqa: E402  (only inside the bus the outer run made)
from gi.repository import GLib  # noqa: E402

results = []
focus_log = []
NEEDS_NAME = {"table", "tree", "tree table", "list", "list box", "spin button"}
CELL_NAME = re.compile(r"^[^,]+, (channel \d+|priority channel): .+$")


def check(ok, what):
    results.append(bool(ok))
    print(("PASS  " if ok else "FAIL  ") + what, flush=True)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        if not context.iteration(False):
            time.sleep(0.01)


def key(*names):
    for name in names:
        subprocess.call(["xdotool", "key", "--clearmodifiers", name])
        pump(0.4)


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        focus_log.append((event.source.getRoleName(), event.source.name))
    except Exception:  # the object may be gone already
        focus_log.append(("?", "?"))


def children(node, limit=60):
    try:
        count = min(node.childCount, limit)
    except Exception:
        return []
    out = []
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            child = None
        if child is not None:
            out.append(child)
    return out


def walk(node, depth=0, lines=None, found=None, limit_depth=14):
    """Collects "role: name" lines and the nodes that need a name but have none."""
    lines = [] if lines is None else lines
    found = [] if found is None else found
    try:
        role, name = node.getRoleName(), node.name or ""
        states = node.getState()
    except Exception:
        return lines, found
    lines.append("  " * depth + f"{role}: {name!r}")
    showing = states.contains(pyatspi.STATE_SHOWING)
    icon_button = role == "push button" and not name
    if showing and (role in NEEDS_NAME or icon_button) and not name.strip():
        found.append(f"{role} at depth {depth}")
    if role in ("table", "tree table") and depth > 0:
        kids = children(node, 25)  # headers and the first cells are enough
    else:
        kids = children(node)
    if depth < limit_depth:
        for child in kids:
            walk(child, depth + 1, lines, found, limit_depth)
    return lines, found


def application(pid, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop, 200):
            try:
                if app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        pump(0.5)
    return None


def window(app, pattern, seconds=5):
    end = time.time() + seconds
    while time.time() < end:
        for win in children(app):
            try:
                if re.search(pattern, win.name or "") and win.getState().contains(
                        pyatspi.STATE_SHOWING):
                    return win
            except Exception:
                pass
        pump(0.3)
    return None


def menu_items_with_tab(node, depth=0):
    bad = []
    try:
        if node.getRoleName() in ("menu item", "check menu item", "menu") and "\t" in (
                node.name or ""):
            bad.append(node.name)
    except Exception:
        return bad
    if depth < 6:
        for child in children(node, 80):
            bad += menu_items_with_tab(child, depth + 1)
    return bad


def main():
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                              os.path.join(ROOT, "build/default/bin/Program"))
    subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    time.sleep(1.5)
    work = tempfile.mkdtemp(prefix="a11y_")
    ini = os.path.join(work, "Program.ini")
    shutil.copy(os.path.join(ROOT, "resources/Program.ini"), ini)
    csv = os.path.join(ROOT, "tests/data/csv/one_of_each.csv")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb")
    demo = os.path.join(work, "demo.dat")
    shutil.copy(os.path.join(ROOT, "resources/demo.dat"), demo)
    proc = subprocess.Popen([program, "--config", ini, "--settings",
                             os.path.join(work, "settings.ini"), demo], env=env)
    try:
        app = application(proc.pid)
        check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return
        pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
        main_window = window(app, ".", 10)
        wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                              str(proc.pid)], capture_output=True, text=True).stdout.split()

        def focus_main():  # no window manager: the keyboard focus is given by hand
            if wid:
                subprocess.call(["xdotool", "windowfocus", "--sync", wid[-1]])
        focus_main()
        pump(2)

        lines, unnamed = walk(main_window)
        with open("a11y_tree.txt", "w", encoding="utf-8") as out:
            out.write("\n".join(lines) + "\n")
        print(f"accessible tree of the main window: {len(lines)} objects, in a11y_tree.txt")
        check(not unnamed, "main window: no unnamed table, tree, list, spin box or icon "
                           f"button {unnamed}")
        tabs = menu_items_with_tab(main_window)
        check(not tabs, f"no menu name with a tab {tabs}")
        startup = [name for _, name in focus_log]
        check(startup and CELL_NAME.match(startup[-1] or ""),
              f"at start-up the current cell is announced: {startup[-1:]}")

        for name in ("Down", "Right", "Right", "Down", "Left"):
            focus_log.clear()
            key(name)
            heard = [f"{role}: {text}" for role, text in focus_log]
            print(f"  {name:6} -> {heard}")
            check(len(focus_log) == 1 and CELL_NAME.match(focus_log[0][1] or ""),
                  f"{name}: one focus event naming column, channel and value")

        for what, keys, pattern in (
                ("Read window", ["ctrl+r"], r"Read|读"),
                ("Option Features", ["alt+e", "o"], r"Option|可选"),
                ("COM Setup", ["alt+s", "c"], r"Com|COM|通信|串口"),
                ("Import preview", ["alt+f", "i"], r"."),
        ):
            before = {w.name for w in children(app)
                      if w.getState().contains(pyatspi.STATE_SHOWING)}
            focus_main()
            pump(0.3)
            key(*keys)
            if what == "Import preview":
                # The file dialog first: the file's path, then Enter.
                pump(1)
                subprocess.call(["xdotool", "type", "--delay", "20", csv])
                key("Return")
                pump(1.5)
                pattern = r"Import|导入"
            win = window(app, pattern)
            if win is not None and win.name in before:
                win = None  # the main window, not the one the keys were to open
            check(win is not None, f"{what} opens by keyboard")
            if win is not None:
                _, unnamed = walk(win)
                check(not unnamed, f"{what}: no unnamed table, tree, list, spin box or icon "
                                   f"button {unnamed}")
            key("Escape")
            pump(0.5)
    finally:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
        shutil.rmtree(work, ignore_errors=True)
    passed = results.count(True)
    print(f"{passed} passed, {len(results) - passed} failed")


main()
sys.exit(0 if results and all(results) else 1)
