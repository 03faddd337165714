#!/usr/bin/python3
"""Hears the real program through Orca, as a blind user does: Tab from the
first field to the drawing area and Orca says its name and that the graph is
empty; type a curve, press Enter, Tab to the drawing area again and Orca
reads the curve's summary.
Usage: check-orca.py path/to/veltrano"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from desktop_session import DesktopSession, SessionError, focused_object, same_object, wait_for_object, wait_until  # noqa: E402


START = time.monotonic()


def expect_said(what, said, pattern):
    if not any(re.search(pattern, text) for text in said):
        raise SessionError(f"Orca did not say {what} ({pattern!r}); it said:\n" + "\n".join(said))
    print(f"ok: Orca said {what} ({time.monotonic() - START:.1f} s)")


def main(program):
    with DesktopSession() as session:
        session.start_x_display()
        session.start_accessibility_bus()
        orca = session.start_orca()
        session.start_program([os.path.abspath(program)])
        app = session.wait_for_application("veltrano")
        first_field = wait_for_object(app, "text", "a")
        canvas = wait_for_object(app, "filler", "函数图像")

        def into_first_field():
            session.click(first_field)
            wait_until(lambda: same_object(focused_object(app), first_field), "focus in the first field")

        # The drawing area is the last tab stop, wherever the focus starts.
        into_first_field()
        orca.press_until_focused("Tab", app, canvas)
        said = orca.wait_for_speech("坐标系中尚未绘制函数图像")
        expect_said("the drawing area's name", said, r"^函数图像\b")
        expect_said("the empty graph's description", said, "^坐标系中尚未绘制函数图像")

        into_first_field()
        for key_or_text in ("1", "Tab", "-3", "Tab", "1", "Return"):
            if key_or_text in ("Tab", "Return"):
                orca.press(key_or_text)
            else:
                orca.type(key_or_text)

        def drawn():
            app.clear_cache()
            return "y=x²-3x+1" in canvas.description
        wait_until(drawn, "curve in the drawing area's description")
        orca.press_until_focused("Tab", app, canvas)
        said = orca.wait_for_speech(re.escape("y=x²-3x+1"))
        expect_said("the drawing area's name", said, r"^函数图像\b")
        expect_said("the curve's summary", said, "^共 1 条函数图像。第 1 条：y=x²-3x\\+1，顶点 \\(3/2,-5/4\\)")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(*sys.argv[1:]))
    except SessionError as error:
        print(f"FAIL: {error}")
        sys.exit(1)
