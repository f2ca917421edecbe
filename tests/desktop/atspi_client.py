#!/usr/bin/python3
"""Reads a running program as a screen reader does, over AT-SPI.

  atspi_client.py dump PID [WINDOW]
                                   every object of the program (or of its
                                   window named WINDOW), one a line:
                                   window|role|name|description|states|value
  atspi_client.py press PID NAME   runs the press action of the object NAME

Exits 1 when the program is not (yet) on the accessibility bus, so that a
shell test can poll.
"""
import sys

import pyatspi

STATES = [
    (pyatspi.STATE_CHECKED, "checked"),
    (pyatspi.STATE_ENABLED, "enabled"),
    (pyatspi.STATE_FOCUSED, "focused"),
    (pyatspi.STATE_FOCUSABLE, "focusable"),
    (pyatspi.STATE_SHOWING, "showing"),
]
MAX_DEPTH = 12


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def walk(obj, depth=0):
    if obj is None or depth > MAX_DEPTH:
        return
    yield obj
    for i in range(obj.childCount):
        yield from walk(obj.getChildAtIndex(i), depth + 1)


def clean(text):
    return (text or "").replace("|", "/").replace("\n", " ")


def value_of(obj):
    try:
        value = obj.queryValue()
    except NotImplementedError:
        return ""
    return "%g..%g=%g" % (value.minimumValue, value.maximumValue, value.currentValue)


def dump(app, only=None):
    for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
        if window is None or (only is not None and window.name != only):
            continue
        for obj in walk(window):
            states = obj.getState()
            flags = ",".join(name for state, name in STATES if states.contains(state))
            print("|".join([clean(window.name), obj.getRoleName(), clean(obj.name),
                            clean(obj.description), flags, value_of(obj)]))


def press(app, name):
    for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
        for obj in walk(window):
            if obj.name != name:
                continue
            action = obj.queryAction()
            for i in range(action.nActions):
                if action.getName(i).lower() in ("press", "click"):
                    action.doAction(i)
                    return True
    return False


def main():
    command, pid = sys.argv[1], int(sys.argv[2])
    app = application(pid)
    if app is None:
        print("program %d is not on the accessibility bus" % pid, file=sys.stderr)
        return 1
    if command == "dump":
        dump(app, sys.argv[3] if len(sys.argv) > 3 else None)
        return 0
    if command == "press":
        return 0 if press(app, sys.argv[3]) else 1
    print("unknown command " + command, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
