"""The first window: class, title, and a clean exit when it is closed."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402

MAIN_CLASS = "Trivok_Class"
TITLE = "Duvirud ida для Win95"


def test_window_appears_with_its_title(s):
    s.start()
    w = s.wait_window(MAIN_CLASS)
    s.expect_eq(TITLE, w["text"], "title of the main window")
    s.expect_eq(0, w["depth"], "the main window is top level")
    tops = [t for t in s.windows(MAIN_CLASS, top=True, visible=True)]
    s.expect_eq(1, len(tops), "visible top-level windows of class Trivok_Class")


def test_wm_close_ends_with_exit_code_0(s):
    s.start()
    s.wait_window(MAIN_CLASS)
    s.post(MAIN_CLASS, driver.WM_CLOSE)
    s.expect_eq(0, s.exit_code(timeout=20), "exit code after WM_CLOSE")


def test_close_box_click_ends_with_exit_code_0(s):
    s.start()
    w = s.wait_window(MAIN_CLASS)
    x, y = s.hit_point(w, driver.HTCLOSE)
    s.expect(w["rect"][0] <= x < w["rect"][2] and w["rect"][1] <= y < w["rect"][3],
             "the close box lies on the window", (x, y, w["rect"]))
    s.click_screen(x, y)
    s.expect_eq(0, s.exit_code(timeout=20), "exit code after a click on the close box")


if __name__ == "__main__":
    driver.main([
        test_window_appears_with_its_title,
        test_wm_close_ends_with_exit_code_0,
        test_close_box_click_ends_with_exit_code_0,
    ])
