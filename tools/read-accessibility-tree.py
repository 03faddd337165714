#!/usr/bin/python3
"""Prints the accessibility tree of a running Veltrano as a screen reader
reads it over AT-SPI: role, name and description of every object, indented
by depth. Run inside the same D-Bus session as the program, e.g. through
scripts/read-accessibility.sh."""

import sys
import time

import pyatspi


def find_application(name, attempts=50):
    for _ in range(attempts):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def dump(node, depth=0):
    try:
        role = node.getRoleName()
        name = node.name or ""
        description = node.description or ""
        states = node.getState()
        focused = " [focused]" if states.contains(pyatspi.STATE_FOCUSED) else ""
        focusable = " [focusable]" if states.contains(pyatspi.STATE_FOCUSABLE) else ""
    except Exception as error:  # an object that went away while reading
        print("  " * depth + f"<gone: {error}>")
        return
    line = f"{role}: {name!r}"
    if description:
        line += f" — {description!r}"
    print("  " * depth + line + focusable + focused)
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def main():
    name = sys.argv[1] if len(sys.argv) > 1 else "veltrano"
    app = find_application(name)
    if app is None:
        print(f"no application named {name!r} on the accessibility bus", file=sys.stderr)
        return 1
    dump(app)
    return 0


if __name__ == "__main__":
    sys.exit(main())
