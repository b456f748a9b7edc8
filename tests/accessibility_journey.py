"""The program as a screen reader sees it, over the accessibility bus alone: every window walked for
focusable controls without a name, and the journeys a listener makes, driven by the controls' own
actions and text interfaces. Called by e2e_accessibility_test.sh, which starts the program.

    accessibility_journey.py PROGRAM-PID COURSE-FOLDER STEP...
"""
import os
import sys
import time

import pyatspi
from gi.repository import GLib

heard = []      # what a listener is told: (event, control's name, text)
unnamed = []    # where a focusable control has no name


def wait_for(what, look, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = look()
        except Exception:   # a control that went away while it was read
            found = None
        if found:
            return found
        time.sleep(0.05)
    sys.exit(f"FAILED: timed out waiting for {what}")


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def program():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == int(sys.argv[1])), None)


def has(node, state):
    return node.getState().contains(state)


def control(role, name, within=None):
    """The control on show with this role and name."""
    def look():
        for node in descendants(within or program()):
            if node.getRoleName() == role and node.name == name and has(node, pyatspi.STATE_SHOWING):
                return node
    return wait_for(f"the {role} '{name}'", look)


def window(name):
    return wait_for(f"the window '{name}'", lambda: next((w for w in program() if w.name == name and has(w, pyatspi.STATE_SHOWING)), None))


def act(node, action="Press"):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        sys.exit(f"FAILED: '{node.name}' ({node.getRoleName()}) has no action {action}, only {names}")
    actions.doAction(names.index(action))


def text(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def walk(label, root):
    """Counts the focusable controls on show (all of them in a window that is not on show) by name."""
    named = 0
    for node in descendants(root):
        if not has(node, pyatspi.STATE_FOCUSABLE) or (has(root, pyatspi.STATE_SHOWING) and not has(node, pyatspi.STATE_SHOWING)):
            continue
        if node.name:
            named += 1
        else:
            unnamed.append(f"{label}: {node.getRoleName()} in '{node.parent.name}'")
    print(f"walk {label}: {named} named, {sum(u.startswith(label + ':') for u in unnamed)} unnamed")


def listen(event):
    try:
        said = event.any_data if isinstance(event.any_data, str) else ""
        heard.append((event.type, event.source.name, said or (text(event.source)[:80] if "focus" in event.type else "")))
    except Exception:
        pass


def main_window():
    return window("Veltrin")


def torch_closed():
    return control("push button", "Ask Torch")


def journey():
    """The Introduction read onto its first check-point, then a journal entry written and read back."""
    main = main_window()
    walk("main window, scrolling introduction", main)
    act(control("push button", "OK", main))
    torch_closed()
    pane = control("text", "Reading pane")
    if pane.queryText().caretOffset == 0:
        sys.exit("FAILED: the caret is not on the line the reading reached")
    act(control("push button", "Veltrin Introduction"))
    wait_for("the Introduction from its top", lambda: pane.queryText().caretOffset == 0)
    for event in ("object:state-changed:focused", "object:text-changed:insert", "object:property-change:accessible-name",
                  "object:property-change:accessible-description", "object:text-caret-moved"):
        pyatspi.Registry.registerEventListener(listen, event)
    up = control("push button", "Up arrow")
    act(up)
    torch_pane = control("text", "Torch pane")
    pressed = set()   # the states the up arrow was seen in while the text moved
    wait_for("the check-point's document", lambda: pressed.add(has(up, pyatspi.STATE_PRESSED)) or text(torch_pane).strip())
    print("heard at the first check-point:", [h for h in heard if h[0] != "object:text-caret-moved"])
    for event, name in (("focused", "Torch pane"), ("text-caret-moved", "Reading pane")):
        if not any(h[0].endswith(event) and h[1] == name for h in heard):
            sys.exit(f"FAILED: no {event} event from the {name}")
    print("Torch says:", text(torch_pane)[:120].replace("\n", " / "))
    walk("main window, Torch panel on a check-point", main)
    act(control("push button", "OK", main))
    torch_closed()
    if True not in pressed or wait_for("the reading to end", lambda: not has(up, pyatspi.STATE_PRESSED), 5) is not True:
        sys.exit("FAILED: the up arrow does not stand pressed while the text moves")

    act(control("push button", "Make A Journal Entry"))
    frame = control("panel", "Veltrin Journal")
    for category, rank in zip(("Power", "Health", "Awareness", "Holy Connection", "Inner Feeling", "Pretending", "Being Awake"),
                              (3, 5, 2, 4, 1, 1, 4)):
        act(control("radio button", f"Rank {rank}", control("panel", category, frame)), "Toggle")
    subject = control("text", "Subject box", frame)
    subject.queryEditableText().setTextContents("Openness")
    control("text", "Entry box", frame).queryEditableText().setTextContents("A quiet morning")
    wait_for("the ranks to be chosen", lambda: has(control("radio button", "Rank 4", control("panel", "Being Awake", frame)), pyatspi.STATE_CHECKED))
    act(control("push button", "Add Journal Entry", frame))
    act(control("push button", "View Journal", frame))
    report = wait_for("the report's first entry", lambda: next(
        (n for n in descendants(main) if n.name == "Document viewer" and "A quiet morning" in text(n)), None))
    first = text(report)
    print("report:", first[:160].replace("\n", " / "))
    act(control("push button", "Close Journal", frame))
    wait_for("the report to close", lambda: not has(report, pyatspi.STATE_SHOWING))
    act(control("push button", "Journal Chart", frame))
    chart = window("Journal Chart")
    print("chart says:", chart.description)
    if "Power: first 3, last 3" not in chart.description:
        sys.exit("FAILED: the chart's description does not give its data")
    act(control("push button", "Done", frame))
    wait_for("the journal frame to close", lambda: not has(frame, pyatspi.STATE_SHOWING))


def walk_windows():
    """Each window and each state of the main window that a user can reach, walked once."""
    main = main_window()
    walk("main window", main)
    if any(n.name == "OK" and has(n, pyatspi.STATE_SHOWING) for n in descendants(main)):
        act(control("push button", "OK", main))   # the scrolling introduction of a new user
        torch_closed()
    act(control("push button", "Make A Journal Entry"))
    frame = control("panel", "Veltrin Journal")
    walk("main window, journal frame", main)
    act(control("push button", "View Journal", frame))
    control("text", "Document viewer")
    walk("main window, journal report", main)
    act(control("push button", "Journal Chart", frame))
    walk("chart window", window("Journal Chart"))
    act(control("push button", "Done", frame))
    wait_for("the journal frame to close", lambda: not has(frame, pyatspi.STATE_SHOWING))
    act(control("push button", "Open the Veltrin Manual"))
    control("text", "Document viewer")
    walk("main window, manual", main)
    act(control("push button", "Close the Veltrin Manual"))
    act(control("push button", "Ask Torch"))
    control("combo box", "Topic list")
    walk("main window, topic list", main)
    act(control("push button", "OK", main))
    torch_closed()
    act(control("push button", "Erase Your Veltrin Progress"))
    control("push button", "No")
    walk("main window, reset question", main)
    act(control("push button", "No"))
    act(control("push button", "OK", main))   # Torch says that nothing was erased
    torch_closed()
    act(control("push button", "Contact Info and Sounds"))
    contact = window("Veltrin Contact Info")
    walk("contact window", contact)
    act(control("push button", "OK", contact))
    splash = next(w for w in program() if any(n.name == "Version 3.0" for n in descendants(w)))
    walk("splash window", splash)


def message_box():
    """The message box that names a file the program could not use, closed by its OK button."""
    report = os.path.join(sys.argv[2], "Journal Report.rtf")
    os.remove(report)
    os.mkdir(report)   # a folder in its place: the report cannot be written
    act(control("push button", "Make a Journal Entry"))
    act(control("push button", "View Journal"))
    box = wait_for("the message box", lambda: next((w for w in program() if w.getRoleName() in ("alert", "dialog") and has(w, pyatspi.STATE_SHOWING)), None))
    walk("message box", box)
    act(control("push button", "OK", box))


def leave():
    act(control("push button", "Exit Veltrin"))


steps = {"journey": journey, "walk": walk_windows, "message": message_box, "exit": leave}
wait_for("the program on the accessibility bus", program)
for step in sys.argv[3:]:
    steps[step]()
if unnamed:
    sys.exit("FAILED: focusable controls without a name:\n  " + "\n  ".join(unnamed))
