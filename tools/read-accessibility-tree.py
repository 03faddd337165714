#!/usr/bin/python3
"""Prints the accessibility tree of a running Veltrano as a screen reader
reads it over AT-SPI: role, name and description of every object, indented
by depth. With --draw A,B,C (repeatable) it first types each curve into the
fields and presses the draw button through AT-SPI, as an assistive tool
would, and prints the drawing area's description after each.

Without --start it reads the program in the current D-Bus session. With
--start PROGRAM it brings up a private session first (a virtual X display,
or with --wayland a headless weston; a session bus with the accessibility
bus), starts the program there, and after the tree prints what the program
wrote to stdout and stderr, each line after "program: ", or fails if the
program is no longer running. scripts/read-accessibility.sh does that.

Usage: read-accessibility-tree.py [--start PROGRAM [--wayland]] [--draw A,B,C]... [NAME]"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "accessibility"))
import desktop_session  # noqa: E402


def dump(node, depth=0):
    import pyatspi
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


def drawing_area(app):
    return desktop_session.wait_until(
        lambda: next(filter(None, (desktop_session.find(app, role, "函数图像") for role in ("filler", "canvas"))), None),
        "drawing area")


def draw(app, coefficients):
    canvas = drawing_area(app)
    app.clear_cache()
    before = canvas.description
    for field, text in zip(("a", "b", "c"), coefficients.split(",")):
        desktop_session.wait_for_object(app, "text", field).queryEditableText().setTextContents(text)
    desktop_session.wait_for_object(app, "push button", "开始绘图").queryAction().doAction(0)

    def described():
        app.clear_cache()
        return canvas.description if canvas.description != before else None
    print(f"after {coefficients}: {desktop_session.wait_until(described, 'new description of the drawing area')!r}")


def read(name, curves, check=lambda: None):
    app = desktop_session.wait_for_application(name, check)
    for coefficients in curves:
        draw(app, coefficients)
    dump(app)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--start", metavar="PROGRAM")
    parser.add_argument("--wayland", action="store_true")
    parser.add_argument("--draw", action="append", default=[], metavar="A,B,C")
    parser.add_argument("name", nargs="?", default="veltrano")
    args = parser.parse_args()
    try:
        if not args.start:
            read(args.name, args.draw)
            return 0
        with desktop_session.DesktopSession() as session:
            if args.wayland:
                session.start_wayland_display()
            else:
                session.start_x_display()
            session.start_accessibility_bus()
            program = session.start_program([os.path.abspath(args.start)])
            session.use_buses()
            read(args.name, args.draw, lambda: session.check_running("program", program))
            session.check_running("program", program)
            for line in session.log("program").splitlines():
                print(f"program: {line}")
    except desktop_session.SessionError as error:
        print(f"read-accessibility-tree: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
