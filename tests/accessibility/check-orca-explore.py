#!/usr/bin/python3
"""Explores the graph with the keyboard as a blind user does and hears every
step through Orca: two curves drawn, Tab to the drawing area, Up and Down to
choose a curve, the trace point moved along it by Left, Right, Shift+Right,
PageUp, PageDown, Home, End (two keys at once too) and a typed abscissa, Esc
back to the whole graph, H with no audio device to play the sound on, and
the last curve undone and redone, the graph copied and pasted.
Every utterance is found in Orca's debug log.
Usage: check-orca-explore.py path/to/veltrano (KEEP_SESSION=1 keeps the
session's folder with Orca's log)."""

import os
import re
import sys
import time

from desktop_session import DesktopSession, SessionError, focused_object, same_object, wait_for_object, wait_until


START = time.monotonic()

# y = x² − 3x + 1: vertex (3/2, −5/4), roots (3 ± √5)/2, y-intercept (0, 1);
# y = −2x² + 7x − 3: roots 1/2 and 3, vertex (7/4, 25/8), y-intercept (0, −3).
# Each step: the keys, then what Orca must say (a regular expression).
STEPS = [
    (["Down"], r"^第 1 条，共 2 条：y=x²-3x\+1，顶点 \(3/2,-5/4\)"),
    (["Right"], r"^与y轴交点 \(0,1\)\.?$"),
    (["Right"], r"^\(0\.05,0\.8525\)\.?$"),
    (["Left"], r"^与y轴交点 \(0,1\)\.?$"),
    (["Left"], r"^\(-0\.05,1\.1525\)\.?$"),
    (["Page_Down"], r"^与y轴交点 \(0,1\)\.?$"),
    (["Page_Down"], r"^与x轴交点 \(0\.381966011250105,0\)\.?$"),
    (["Page_Down"], r"^顶点 \(3/2,-5/4\)\.?$"),
    (["Page_Down"], r"^与x轴交点 \(2\.61803398874989,0\)\.?$"),
    (["Page_Up"], r"^顶点 \(3/2,-5/4\)\.?$"),
    (["shift+Right"], r"^\(2\.5,-0\.25\)\.?$"),
    (["End"], r"^\(10,71\)，在图像上方\.?$"),
    # Keys quicker than Orca: the last step is said all the same.
    (["Left", "Left"], r"^\(9\.9,69\.31\)，在图像上方\.?$"),
    (["Home"], r"^\(-10,131\)，在图像上方\.?$"),
    (["0", "period", "5", "Return"], r"^\(0\.5,-0\.25\)，x=1/2 时 y=-1/4\.?$"),
    (["Down"], r"^第 2 条，共 2 条：y=-2x²\+7x-3，顶点 \(7/4,25/8\)"),
    (["Page_Down"], r"^与y轴交点 \(0,-3\)\.?$"),
    (["Page_Down"], r"^与x轴交点 \(0\.5,0\)\.?$"),
    (["Escape"], r"^共 2 条函数图像"),
    # The sound of the graph, with no audio device to play it on.
    (["h"], r"没有可用的音频设备"),
    # The last curve taken back and made again: the graph as it now is.
    (["ctrl+z"], r"^已撤销。共 1 条函数图像。第 1 条：y=x²-3x\+1"),
    (["ctrl+shift+z"], r"^已重做。共 2 条函数图像"),
    # The graph copied and pasted back: its two curves once more.
    (["ctrl+c", "ctrl+v"], r"^共 4 条函数图像"),
]


def main(program):
    with DesktopSession(keep_directory=bool(os.environ.get("KEEP_SESSION"))) as session:
        session.start_x_display()
        session.start_accessibility_bus()
        orca = session.start_orca()
        session.start_program([os.path.abspath(program)], extra_env={"PULSE_SERVER": "unix:/nonexistent"})
        app = session.wait_for_application("veltrano")
        first_field = wait_for_object(app, "text", "a")
        canvas = wait_for_object(app, "filler", "函数图像")

        def draw(a, b, c):
            session.click(first_field)
            wait_until(lambda: same_object(focused_object(app), first_field), "focus in the first field")
            for key_or_text in (a, "Tab", b, "Tab", c, "Return"):
                if key_or_text in ("Tab", "Return"):
                    orca.press(key_or_text)
                else:
                    orca.press("ctrl+a", "BackSpace")
                    orca.type(key_or_text)

        def described(text):
            app.clear_cache()
            return text in canvas.description

        draw("1", "-3", "1")
        wait_until(lambda: described("y=x²-3x+1"), "the first curve in the drawing area's description")
        draw("-2", "7", "-3")
        wait_until(lambda: described("y=-2x²+7x-3"), "the second curve in the drawing area's description")
        orca.press_until_focused("Tab", app, canvas)
        orca.wait_for_speech(re.escape("共 2 条函数图像"))
        print(f"ok: Orca said the whole graph ({time.monotonic() - START:.1f} s)")

        for keys, pattern in STEPS:
            orca.press(*keys)
            said = orca.wait_for_speech(pattern)
            print(f"ok: {' '.join(keys)}: Orca said {said[-1]!r} ({time.monotonic() - START:.1f} s)")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(*sys.argv[1:]))
    except SessionError as error:
        print(f"FAIL: {error}")
        sys.exit(1)
