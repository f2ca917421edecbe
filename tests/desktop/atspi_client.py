#!/usr/bin/python3
# Reads a running program as a screen reader does, over AT-SPI; exits 1
# while the program is not (yet) on the accessibility bus.
#   atspi_client.py dump PID [WINDOW]  every object (of the window named WINDOW):
#                                      window|role|name|description|states|value
#   atspi_client.py press PID NAME     runs the press action of the object NAME
import sys

import pyatspi

STATES = [(pyatspi.STATE_CHECKED, "checked"), (pyatspi.STATE_ENABLED, "enabled"), (pyatspi.STATE_FOCUSED, "focused"),
          (pyatspi.STATE_FOCUSABLE, "focusable"), (pyatspi.STATE_SHOWING, "showing")]


def walk(obj, depth=0):
    if obj is not None and depth <= 12:
        yield obj
        for i in range(obj.childCount):
            yield from walk(obj.getChildAtIndex(i), depth + 1)


def clean(text):
    return (text or "").replace("|", "/").replace("\n", " ")


def value_of(obj):
    try:
        v = obj.queryValue()
    except NotImplementedError:
        return ""
    return "%g..%g=%g" % (v.minimumValue, v.maximumValue, v.currentValue)


def pid_of(app):
    try:
        return app.get_process_id()
    except Exception:  # an application leaving the bus
        return None


def main():
    command, pid = sys.argv[1], int(sys.argv[2])
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and pid_of(a) == pid]
    if not apps:
        return 1
    windows = [apps[0].getChildAtIndex(i) for i in range(apps[0].childCount)]
    for window in windows:
        if command == "dump" and window is not None and (len(sys.argv) < 4 or window.name == sys.argv[3]):
            for obj in walk(window):
                flags = ",".join(name for state, name in STATES if obj.getState().contains(state))
                print("|".join([clean(window.name), obj.getRoleName(), clean(obj.name), clean(obj.description),
                                flags, value_of(obj)]))
        if command == "press":
            for obj in walk(window):
                action = obj.queryAction() if obj.name == sys.argv[3] else None
                for i in range(action.nActions if action else 0):
                    if action.getName(i).lower() in ("press", "click"):
                        action.doAction(i)
                        return 0
    return 0 if command == "dump" else 1


if __name__ == "__main__":
    sys.exit(main())
