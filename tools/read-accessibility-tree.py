#!/usr/bin/python3
"""Prints the accessibility tree of a running Veltrano as a screen reader
reads it over AT-SPI: role, name and description of every object, indented
by depth. With --draw A,B,C (repeatable) it first types each curve into the
fields and presses the draw button through AT-SPI, as an assistive tool
would, and prints the drawing area's description after each. Run inside the
same D-Bus session as the program, e.g. through scripts/read-accessibility.sh."""

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


def find(node, role, name):
    if node.getRoleName() == role and node.name == name:
        return node
    for child in node:
        if child is not None:
            found = find(child, role, name)
            if found is not None:
                return found
    return None


def draw(app, coefficients):
    for field, text in zip(("a", "b", "c"), coefficients.split(",")):
        find(app, "text", field).queryEditableText().setTextContents(text)
    find(app, "push button", "开始绘图").queryAction().doAction(0)
    time.sleep(0.5)
    canvas = next(filter(None, (find(app, role, "函数图像") for role in ("filler", "client", "canvas"))))
    print(f"after {coefficients}: {canvas.description!r}")


def main():
    args = sys.argv[1:]
    curves = [args[i + 1] for i, arg in enumerate(args) if arg == "--draw"]
    names = [arg for i, arg in enumerate(args) if arg != "--draw" and (i == 0 or args[i - 1] != "--draw")]
    name = names[0] if names else "veltrano"
    app = find_application(name)
    if app is None:
        print(f"no application named {name!r} on the accessibility bus", file=sys.stderr)
        return 1
    for coefficients in curves:
        draw(app, coefficients)
    dump(app)
    return 0


if __name__ == "__main__":
    sys.exit(main())
