"""The harness itself, against a fixture window whose contents are known:
what later tests of the game read through the probe must be read right."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402

FIXTURE_CLASS = "ProbeFixture_Class"
CMD_QUESTION, CMD_LEAK, CMD_QUIT, CMD_HANG = 301, 302, 303, 304
FILL = (10, 200, 30)


def start_fixture(s):
    s.start(exe=os.path.join(os.path.dirname(s.opt.probe), "probe_fixture.exe"))
    return s.wait_window(FIXTURE_CLASS)


def test_status_bar_and_toolbar(s):
    start_fixture(s)
    bar = s.wait_for(s.statusbar, 10, "the status bar")
    s.expect_eq([200, 330, -1], [p["right"] for p in bar["parts"]], "status-bar part edges")
    s.expect_eq(["Готово", "Ships 10", "Корабли: 10"], s.status_texts(), "status-bar texts")
    buttons = s.toolbar_buttons()
    s.expect_eq([201, 202, 203], sorted(buttons), "toolbar commands")
    got = {c: (b["checked"], b["pressed"], b["enabled"], b["image"]) for c, b in buttons.items()}
    s.expect_eq({201: (True, False, True, 6), 202: (False, True, True, 7), 203: (False, False, False, 8)},
                got, "toolbar (checked, pressed, enabled, image)")


def test_menu_read_inside_the_process(s):
    start_fixture(s)
    items = s.menu_items(FIXTURE_CLASS)
    s.expect_eq({101: ("&Новая игра", True, False), 102: ("Выход", False, True),
                 111: ("Любитель", False, False), 112: ("Профессионал", True, False)},
                {i: (m["text"], m["checked"], m["grayed"]) for i, m in items.items()},
                "menu items (text, checked, grayed)")
    s.expect_eq([[0, 1, 1]], [m["path"] for m in items.values() if m["id"] == 112], "path of a submenu item")
    s.expect_eq("commands=0\nзаголовок=Проба", s.state(FIXTURE_CLASS), "text of the state export")


def test_dropped_menu_and_click_mapping(s):
    w = start_fixture(s)
    # The menu bar lies between the caption and the client area.
    x = w["client_screen"][0] + 15
    y = w["client_screen"][1] - 10
    s.click_screen(x, y)
    items = s.wait_for(lambda: s.try_probe("menu", "--popup"), 10, "the dropped-down menu")
    s.expect_eq(["&Новая игра", "Уровень", "", "Выход"], [i["text"] for i in items if i.get("depth") == 0],
                "items of the open popup menu")
    s.expect(s.gui(FIXTURE_CLASS)["in_menu"], "the thread is in menu mode")
    s.key("Escape", "Escape")
    s.wait_for(lambda: not s.gui(FIXTURE_CLASS)["in_menu"], 10, "the menu to close")


def test_dialog_contents_and_button_click(s):
    start_fixture(s)
    s.command(CMD_QUESTION, FIXTURE_CLASS)
    d = s.wait_dialog("Вопрос")
    texts = {c["id"]: c["text"] for c in d["controls"]}
    s.expect_eq("&Да", texts.get(6), "the Yes button")
    s.expect_eq("&Нет", texts.get(7), "the No button")
    s.expect("Начать новую игру?" in texts.values(), "the question text", texts)
    no = next(c for c in d["controls"] if c["id"] == 7)
    s.expect_eq(0, no["checked"], "BM_GETCHECK of a push button")
    left, top, right, bottom = no["rect"]
    s.click_screen((left + right) // 2, (top + bottom) // 2)
    s.wait_for(lambda: not s.dialogs(), 10, "the dialog to close after a click on its button")


def test_pixels_and_gdi_count(s):
    w = start_fixture(s)
    s.expect_eq(FILL, s.pixel(w, 100, 100), "colour of the client area")
    rows = s.pixels(w, 100, 100, 3, 2)
    s.expect_eq([[FILL] * 3] * 2, rows, "a 3 x 2 rectangle of the client area")
    before = s.resources()
    s.expect(before["gdi"] is not None and before["gdi"] > 0, "GDI objects are counted", before)
    s.expect(before["private_bytes"] > 0, "private bytes are reported", before)
    s.send(FIXTURE_CLASS, driver.WM_COMMAND, CMD_LEAK)
    after = s.resources()
    s.expect_eq(10, after["gdi"] - before["gdi"], "GDI objects made by ten CreateSolidBrush calls")


def test_send_timeout_shows_a_busy_thread(s):
    start_fixture(s)
    quick = s.send(FIXTURE_CLASS, 0)
    s.expect(quick["ok"], "an idle window answers WM_NULL", quick)
    s.post(FIXTURE_CLASS, driver.WM_COMMAND, CMD_HANG, 3000)
    busy = s.send(FIXTURE_CLASS, 0, timeout_ms=300)
    s.expect(not busy["ok"], "a thread blocked for 3 s does not answer within 300 ms", busy)
    s.wait_for(lambda: s.send(FIXTURE_CLASS, 0, timeout_ms=500)["ok"], 15, "the thread to answer again")


def test_exit_code_is_the_programs(s):
    start_fixture(s)
    s.post(FIXTURE_CLASS, driver.WM_COMMAND, CMD_QUIT, 42)
    s.expect_eq(42, s.exit_code(), "exit code passed to PostQuitMessage")


def test_registry_round_trip(s):
    # The session starts with no settings key in either hive.
    s.expect_eq(None, s.reg("HKLM"), "HKLM key after the session's clearing")
    s.expect_eq(None, s.reg("HKCU"), "HKCU key after the session's clearing")
    s.reg_set_dword("ProphyUser", 5)
    s.reg_set("WinPos", driver.REG_BINARY, bytes(range(100)))
    s.reg_set_sz("FontComp", "Тахома", size=32)
    s.reg_set_dword("Salvo", 1, hive="HKCU")
    values = s.reg("HKLM")
    s.expect_eq({"ProphyUser", "WinPos", "FontComp"}, set(values), "value names")
    s.expect_eq((4, 4, 5), (values["ProphyUser"]["type"], values["ProphyUser"]["size"],
                            values["ProphyUser"]["dword"]), "ProphyUser (type, size, value)")
    s.expect_eq(bytes(range(100)), s.reg_bytes("WinPos"), "WinPos bytes")
    s.expect_eq((1, 32, "Тахома"), (values["FontComp"]["type"], values["FontComp"]["size"],
                                    values["FontComp"]["text"]), "FontComp (type, ANSI size, text)")
    s.expect_eq("d2e0f5eeece0", values["FontComp"]["hex"][:12], "FontComp in code page 1251")
    s.reg_delete("ProphyUser")
    s.expect_eq({"WinPos", "FontComp"}, set(s.reg("HKLM")), "value names after a deletion")
    s.expect_eq({"Salvo"}, set(s.reg("HKCU")), "HKCU values")
    s.reg_clear()
    s.expect_eq((None, None), (s.reg("HKLM"), s.reg("HKCU")), "both keys after clearing")


if __name__ == "__main__":
    driver.main([
        test_status_bar_and_toolbar,
        test_menu_read_inside_the_process,
        test_dropped_menu_and_click_mapping,
        test_dialog_contents_and_button_click,
        test_pixels_and_gdi_count,
        test_send_timeout_shows_a_busy_thread,
        test_exit_code_is_the_programs,
        test_registry_round_trip,
    ])
