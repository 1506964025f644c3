#!/bin/bash
# The window as a screen reader meets it, through a real AT-SPI client
# (pyatspi) on the session's private accessibility bus: the tree, the names,
# roles and states, a press through the action interface and the events it
# raises. The texts come from the layout tool, the flips from the reference.
#   screen_reader.sh ZARNIK
set -euo pipefail
. "$(dirname "$0")/../../support/game.sh"
start_xvfb
# What a screen reader does when it starts: ask the bus to switch
# accessibility on, so that programs started from now on take part.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
start_game linux "$1" 1
expect_board "at start"
ZARNIK_LAYOUT=$("$tools/zarnik_layout_pixels") ZARNIK_AFTER_12=$("$tools/zarnik_board_reference" 12) \
    /usr/bin/python3 - <<'PYTHON'
import os, sys, time
import pyatspi
from gi.repository import GLib

def fail(what):
    sys.exit("FAIL: " + what)

def wait_for(find, what):
    for _ in range(100):
        found = find()
        if found: return found
        GLib.MainContext.default().iteration(False)
        time.sleep(0.05)
    fail(what)

texts = {}  # "Caption", "Name 7", "Start", ... as the layout tool gives them
for line in os.environ["ZARNIK_LAYOUT"].splitlines():
    words = line.split(" ", 2 if line.startswith("Name ") else 1)
    texts[" ".join(words[:-1])] = words[-1]
after = os.environ["ZARNIK_AFTER_12"]
desktop = pyatspi.Registry.getDesktop(0)
caption = texts["Caption"]
app = wait_for(lambda: next((a for a in desktop if a and a.name == caption), None), "no application on the bus named " + caption)
window = app[0]
if (window.getRole(), window.name, app.childCount) != (pyatspi.ROLE_FRAME, caption, 1):
    fail(f"the program shows as {app.childCount} windows, the first a {window.getRoleName()} named {window.name}")
buttons = list(window)
names = [b.name for b in buttons]
if names != [texts[f"Name {k}"] for k in range(26)]:
    fail(f"the window holds {names}")
if [b.getIndexInParent() for b in buttons] != list(range(26)):
    fail("the buttons do not know their places: " + str([b.getIndexInParent() for b in buttons]))
if window.getChildAtIndex(26) is not None or window.childCount != 26:  # a client's bad index is not a crash
    fail("a button past the last")
if any(b.getRole() != pyatspi.ROLE_PUSH_BUTTON or b.childCount for b in buttons):
    fail("not every child is a plain push button: " + str([b.getRoleName() for b in buttons]))

def board():  # o for a cell in the start state, x for a turned one, as a screen reader hears it
    out = ""
    for cell in buttons[:25]:
        states = cell.getState()
        turned = states.contains(pyatspi.STATE_PRESSED)
        if turned != states.contains(pyatspi.STATE_CHECKED) or cell.description != texts["Turned" if turned else "Start"]:
            fail(f"{cell.name} is pressed {turned}, checked {not turned}, described {cell.description}")
        out += "x" if turned else "o"
    return out

if board() != "o" * 25: fail("not a new game: " + board())
heard = []
listener = lambda event: heard.append((event.type, event.source.name))
pyatspi.Registry.registerEventListener(listener, "object:state-changed:checked", "object:property-change:accessible-description")
actions = buttons[12].queryAction()
press = [actions.getName(i) for i in range(actions.nActions)].index("Press")
if actions.getDescription(press).isascii():  # Qt's own words are Japanese too, where translated
    fail("the press is described in English: " + actions.getDescription(press))
actions.doAction(press)
wait_for(lambda: board() == after, "pressing cell 12 left " + board())
changed = {buttons[k].name for k in range(25) if after[k] == "x"}
wait_for(lambda: len(heard) >= 2 * len(changed), f"heard {heard}")
if sorted(heard) != sorted((t, n) for n in changed for t in ("object:state-changed:checked", "object:property-change:accessible-description")):
    fail(f"a press on cell 12 raised {heard}")
print("tree, names, roles, states, a press and its", len(heard), "events as a screen reader meets them")
PYTHON
