"""The dialogs in the running game: the won and lost dialogs with their clips
and answers, statistics with stored totals and clearing, the settings dialog's
cancel and its delay field, the colours dialog with the palette and the
repaint of the frame, and the about box."""
import os
import subprocess
import sys
import textwrap

try:  # only to own the X clipboard for a paste
    import tkinter  # noqa: F401
    HAVE_TK = True
except ImportError:
    HAVE_TK = False

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402

MAIN = "Trivok_Class"
COMPUTER_BOARD = "First_screen"
HUMAN_BOARD = "Second_screen"

C = 17  # CellSize under Wine at 96 DPI

WM_LBUTTONUP = 0x0202
EM_SETSEL = 0x00B1
BS_DEFPUSHBUTTON = 0x1
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7

CMD_ABOUT = 302
CMD_NEW_GAME = 303
CMD_STATISTICS = 40014
CMD_COLOURS = 40015
CMD_SETTINGS = 40031
CMD_SALVO = 40036
CMD_AMATEUR, CMD_PRO, CMD_SUPERMAN = 40011, 40012, 40030

WON_TITLE = "Что, не веришь своему счастью?"
LOST_TITLE = "Вы проиграли!!!"
STATS_TITLE = "Статистика"
SETTINGS_TITLE = "Настройка"
COLOURS_TITLE = "Выбор цвета"
ABOUT_TITLE = "О программе."
ANIMATION = 1013


# ---- reading the game --------------------------------------------------------------


def parse_state(text):
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def state(s):
    return parse_state(s.state())


def fleet(st, name):
    return [(int(p[0]), int(p[1])) for ship in st[name].split(";") for p in ship.split(",")]


def dialog(s, title):
    return next((d for d in s.dialogs() if d["title"] == title), None)


def wait_dialog(s, title, timeout=15):
    return s.wait_for(lambda: dialog(s, title), timeout, f"the dialog {title!r}")


def wait_closed(s, title, timeout=10):
    s.wait_for(lambda: dialog(s, title) is None, timeout, f"the dialog {title!r} to close")


def control(d, cid, cls=None):
    for c in d["controls"]:
        if c["id"] == cid and (cls is None or c["class"].lower() == cls.lower()):
            return c
    return None


def texts(d):
    return {c["id"]: c["text"] for c in d["controls"] if c["id"] not in (0, 65535)}


def static_texts(d):
    return [c["text"] for c in d["controls"] if c["class"] == "Static" and c["text"]]


def field(s, title, cid):
    d = dialog(s, title)
    c = control(d, cid) if d else None
    return c["text"] if c else None


# ---- acting ----------------------------------------------------------------------------


def click_control(s, c, x=None, y=None):
    """A click on a dialog control (a dict from dialogs()): its middle, or (x, y) in it."""
    left, top, right, bottom = c["rect"]
    s.click_screen(left + (x if x is not None else (right - left) // 2),
                 top + (y if y is not None else (bottom - top) // 2))


def click_button(s, title, cid):
    click_control(s, control(wait_dialog(s, title), cid))


def open_dialog(s, command, title):
    s.command(command)
    return wait_dialog(s, title)


def start_battle(s):
    """A new game with the fleets arranged; returns its state."""
    before = s.state()
    s.command(CMD_NEW_GAME)
    return s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" and s.state() != before else None)(state(s)),
                      10, "a new game with the battle on")


def wait_new_game(s):
    """Waits for the new game that the answer to a result dialog starts: the
    battle on with no shot on either board. (Its fleets may be those of the
    game before: arrangements are seeded by the clock's second.)"""
    def fresh():
        st = state(s)
        return (st if st["BattleOn"] == "1" and st["ShotsAtComputer"] == "0" * 100
                and st["ShotsAtHuman"] == "0" * 100 else None)
    try:
        return s.wait_for(fresh, 15, "a new game after the answer")
    except driver.Failed:
        st = state(s)
        raise driver.Failed("no new game after the answer: BattleOn={}, shots at the computer {}, at the human {}"
                            .format(st["BattleOn"], st["ShotsAtComputer"].count("1"),
                                    st["ShotsAtHuman"].count("1")))


def shoot(s, x, y):
    """The human's click on a square of the computer's board."""
    board = s.window(COMPUTER_BOARD)
    s.post(None, WM_LBUTTONUP, 0, ((y * C + C // 2) << 16) | (x * C + C // 2), hwnd=board["hwnd"])


def win(s, st):
    """Shoots every square of the computer's fleet; returns the won dialog."""
    for x, y in fleet(st, "ComputerFleet"):
        shoot(s, x, y)
    return wait_dialog(s, WON_TITLE, timeout=30)


def lose(s, st):
    """Misses the same square again and again (repeated shots allowed) until
    the computer has sunk the human's fleet; returns the lost dialog."""
    ships = set(fleet(st, "ComputerFleet"))
    miss = next((x, y) for x in range(10) for y in range(10) if (x, y) not in ships)
    for _ in range(200):
        before = state(s)["ShotsAtHuman"].count("1")
        shoot(s, *miss)

        def turn_over():
            if dialog(s, LOST_TITLE):
                return "lost"
            # The computer's board shows "... - 1" again once the turn is over;
            # a click made during the turn is dropped and simply repeated.
            return (state(s)["ShotsAtHuman"].count("1") > before
                    and s.window(COMPUTER_BOARD)["text"].endswith("1") and "turn")
        try:
            if s.wait_for(turn_over, 3, "the computer's turn", interval=0.05) == "lost":
                return dialog(s, LOST_TITLE)
        except driver.Failed:
            continue
    raise driver.Failed("the computer did not win within 200 turns")


def clip_plays(s, d, what):
    """Two looks at the animation control a moment apart differ."""
    clip = control(d, ANIMATION)
    if not s.expect(clip is not None and clip["class"] == "SysAnimate32", f"{what}: the animation control", clip):
        return
    w, h = clip["client"][2], clip["client"][3]
    first = s.pixels(clip, 0, 0, w, h)
    s.expect(len({p for row in first for p in row}) > 2, f"{what}: the clip shows a picture")
    try:
        s.wait_for(lambda: s.pixels(clip, 0, 0, w, h) != first, 5, f"{what}: the clip to move", interval=0.1)
    except driver.Failed as e:
        s.fail(str(e))


def reg_dword(s, name):
    values = s.reg("HKLM") or {}
    return values[name].get("dword") if name in values else None


def store(s, **values):
    for name, value in values.items():
        s.reg_set_dword(name, value)


# ---- tests: result dialogs and statistics ---------------------------------------------

QUICK = dict(TimeOut=1, ProphyUser=2, Reshot=0, FirstShoot=1, AutoArrange=1)


def check_won_dialog(s, d):
    s.expect_eq({IDOK: "Ой, еще дам...", IDCANCEL: "Ну ладно живи."},
                {k: v for k, v in texts(d).items() if k in (IDOK, IDCANCEL)}, "the won dialog's buttons")
    s.expect("Тебе повезло...  в этот раз.\nСыграем еще или боишься\nсильных противников?" in static_texts(d),
             "the won dialog's text", static_texts(d))
    clip_plays(s, d, "the won dialog")


def check_lost_dialog(s, d):
    s.expect_eq({IDOK: "Убью гада.", IDCANCEL: "Шел бы ты..."},
                {k: v for k, v in texts(d).items() if k in (IDOK, IDCANCEL)}, "the lost dialog's buttons")
    s.expect({"Может еще сыграем?", "Остынь от долгой битвы!"} <= set(static_texts(d)),
             "the lost dialog's texts", static_texts(d))
    clip_plays(s, d, "the lost dialog")


def statistics(s):
    d = open_dialog(s, CMD_STATISTICS, STATS_TITLE)
    return d, [texts(d).get(i) for i in (1023, 1024, 1025, 1026)]


def test_results_and_statistics(s):
    store(s, ManWon=10, CompWon=7, **QUICK)
    s.start()
    s.wait_window(MAIN)

    st = start_battle(s)
    d = win(s, st)
    check_won_dialog(s, d)
    click_control(s, control(d, IDOK))  # "Ой, еще дам..."
    wait_closed(s, WON_TITLE)
    st = wait_new_game(s)

    d = lose(s, st)
    check_lost_dialog(s, d)
    click_control(s, control(d, IDOK))  # "Убью гада."
    wait_closed(s, LOST_TITLE)
    st = wait_new_game(s)

    win(s, st)
    s.key("Return")  # Enter answers with the default button: play again
    wait_closed(s, WON_TITLE)
    st = wait_new_game(s)

    # Two wins and a loss in this run, on top of the stored totals.
    d, shown = statistics(s)
    s.expect_eq(["2", "1", "12", "8"], shown, "statistics (run wins, run losses, all wins, all losses)")
    ok, clear = control(d, 1020), control(d, 1021)
    s.expect_eq(("OK", "Очистить"), (ok["text"], clear["text"]), "the statistics dialog's buttons")
    # Escape is ignored: the dialog is still there to take the Tab that follows.
    first = s.wait_for(lambda: (lambda f: f if f in (ok["hwnd"], clear["hwnd"]) else None)(s.gui()["focus"]), 5,
                       "the focus on a button of the statistics dialog")
    other = clear["hwnd"] if first == ok["hwnd"] else ok["hwnd"]
    s.key("Escape", "Tab")
    s.wait_for(lambda: s.gui()["focus"] == other, 5, "Tab after Escape to move the focus to the other button")
    s.expect(dialog(s, STATS_TITLE) is not None, "the statistics dialog stays open after Escape")

    # "Очистить" answered No: nothing changes.
    click_control(s, control(dialog(s, STATS_TITLE), 1021))
    q = wait_dialog(s, "Duvirud ida")
    s.expect("Очистить окно статистики?" in static_texts(q), "the question of clearing", static_texts(q))
    yes, no = control(q, IDYES), control(q, IDNO)
    s.expect(yes is not None and no is not None, "the question has Yes and No buttons", texts(q))
    if no is not None:
        s.expect(no["style"] & 0xF == BS_DEFPUSHBUTTON, "No is the default answer", no["style"])
    s.key("Return")
    wait_closed(s, "Duvirud ida")
    wait_closed(s, STATS_TITLE)
    d, shown = statistics(s)
    s.expect_eq(["2", "1", "12", "8"], shown, "statistics after clearing answered No")

    # Answered Yes: all four are 0.
    click_control(s, control(d, 1021))
    q = wait_dialog(s, "Duvirud ida")
    click_control(s, control(q, IDYES))
    wait_closed(s, "Duvirud ida")
    wait_closed(s, STATS_TITLE)
    d, shown = statistics(s)
    s.expect_eq(["0", "0", "0", "0"], shown, "statistics after clearing answered Yes")
    click_control(s, control(d, 1020))
    wait_closed(s, STATS_TITLE)

    # A lost game answered "Шел бы ты..." ends the program with the totals saved.
    d = lose(s, st)
    click_control(s, control(d, IDCANCEL))
    s.expect_eq(0, s.exit_code(timeout=20), "exit code after \"Шел бы ты...\"")
    s.expect_eq((0, 1), (reg_dword(s, "ManWon"), reg_dword(s, "CompWon")),
                "stored totals (ManWon, CompWon) after clearing and one more loss")


def test_won_dialog_stop_saves_the_totals(s):
    store(s, ManWon=3, CompWon=5, **QUICK)
    s.start()
    s.wait_window(MAIN)
    d = win(s, start_battle(s))
    click_control(s, control(d, IDCANCEL))  # "Ну ладно живи."
    s.expect_eq(0, s.exit_code(timeout=20), "exit code after \"Ну ладно живи.\"")
    s.expect_eq((4, 5), (reg_dword(s, "ManWon"), reg_dword(s, "CompWon")), "stored totals after a won game")


def test_lost_dialog_escape_ends_the_program(s):
    store(s, ManWon=0, CompWon=2, **QUICK)
    s.start()
    s.wait_window(MAIN)
    lose(s, start_battle(s))
    s.key("Escape")  # Escape answers "Шел бы ты..."
    s.expect_eq(0, s.exit_code(timeout=20), "exit code after Escape in the lost dialog")
    s.expect_eq((0, 3), (reg_dword(s, "ManWon"), reg_dword(s, "CompWon")), "stored totals after a lost game")


# ---- tests: settings dialog and about box -----------------------------------------------

# The pause field: what is typed, and the pause that "&Угу" makes of it.
TIMEOUT_CASES = [("", "1"), ("70000", "5000"), ("0", "1"), ("4999", "4999"), ("abc", "1"), ("1", "1"),
                 ("5000", "5000")]


def checked(s, title, cid):
    d = dialog(s, title)
    c = control(d, cid) if d else None
    return c.get("checked") if c else None


def bar_state(s, command):
    b = s.toolbar_buttons()[command]
    return b["image"], b["pressed"], b["checked"]


def menu_marks(s, *ids):
    items = s.menu_items()
    return tuple(items[i]["checked"] for i in ids)


def paste(s, text):
    """Puts text on the X clipboard (Wine takes it from there) and pastes it
    with Ctrl+V into the focused field."""
    owner = textwrap.dedent("""
        import sys, tkinter
        root = tkinter.Tk()
        root.withdraw()
        root.clipboard_clear()
        root.clipboard_append(sys.argv[1])
        root.update()
        print("ready", flush=True)
        root.after(30000, root.destroy)
        root.mainloop()
    """)
    proc = subprocess.Popen([sys.executable, "-c", owner, text], env=s.envr.env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        if proc.stdout.readline().strip() != b"ready":
            raise driver.Failed("the clipboard helper did not start")
        s.key("ctrl+v")
        s.wait_for(lambda: field(s, SETTINGS_TITLE, 1069) == text, 10, f"{text!r} pasted into the pause field")
    finally:
        driver._kill_group(proc)


def set_timeout_field(s, text):
    edit = control(dialog(s, SETTINGS_TITLE), 1069)
    click_control(s, edit)
    s.wait_for(lambda: s.gui()["focus"] == edit["hwnd"], 5, "the focus in the pause field")
    s.send(None, EM_SETSEL, 0, 0xFFFFFFFF, hwnd=edit["hwnd"])
    if text == "":
        s.key("BackSpace")
    elif text.isdigit():
        s._xdotool("type", "--delay", "30", text)
    else:
        paste(s, text)
    s.wait_for(lambda: field(s, SETTINGS_TITLE, 1069) == text, 10, f"the pause field to hold {text!r}")


def test_settings_dialog_and_about_box(s):
    s.start()
    s.wait_window(MAIN)
    salvo_before = bar_state(s, CMD_SALVO)
    s.expect_eq((11, False, False), salvo_before, "toolbar button 40036 (image, pressed, checked) at the start")

    d = open_dialog(s, CMD_SETTINGS, SETTINGS_TITLE)
    s.expect_eq("300", field(s, SETTINGS_TITLE, 1069), "the pause field at opening")
    s.expect_eq({1060: 1, 1061: 0, 1062: 1, 1063: 0, 1064: 1, 1065: 1, 1066: 0, 1067: 0, 1068: 1},
                {i: checked(s, SETTINGS_TITLE, i) for i in range(1060, 1069)}, "check marks at opening")

    # Three clicks on salvo fire, then cancel: as before the dialog.
    for n in range(1, 4):
        click_control(s, control(d, 1063))
        on = n % 2 == 1
        s.wait_for(lambda: checked(s, SETTINGS_TITLE, 1063) == int(on) and menu_marks(s, CMD_SALVO) == (on,), 5,
                   f"salvo fire {'on' if on else 'off'} after click {n}, live in the menu")
    s.expect_eq((12, True, True), bar_state(s, CMD_SALVO), "toolbar button 40036 with salvo fire on in the dialog")
    click_control(s, control(d, IDCANCEL))
    wait_closed(s, SETTINGS_TITLE)
    s.expect_eq((False,), menu_marks(s, CMD_SALVO), "menu item 40036 after cancel")
    s.expect_eq(salvo_before, bar_state(s, CMD_SALVO), "toolbar button 40036 after cancel")

    # A level change, then cancel: the level goes back.
    d = open_dialog(s, CMD_SETTINGS, SETTINGS_TITLE)
    click_control(s, control(d, 1067))
    s.wait_for(lambda: menu_marks(s, CMD_AMATEUR, CMD_PRO, CMD_SUPERMAN) == (False, False, True), 5,
               "the level Супермэн live in the menu")
    s.expect_eq((False, True), tuple(bar_state(s, c)[2] for c in (CMD_AMATEUR, CMD_SUPERMAN)),
                "toolbar level buttons (Любитель, Супермэн) checked with Супермэн chosen")
    click_control(s, control(d, IDCANCEL))
    wait_closed(s, SETTINGS_TITLE)
    s.wait_for(lambda: menu_marks(s, CMD_AMATEUR, CMD_PRO, CMD_SUPERMAN) == (True, False, False), 5,
               "the level Любитель back in the menu after cancel")
    s.expect_eq([(True, True), (False, False), (False, False)],
                [bar_state(s, c)[1:] for c in (CMD_AMATEUR, CMD_PRO, CMD_SUPERMAN)],
                "toolbar level buttons (pressed, checked) after cancel")

    # The flag clicked, then cancel: back on at the next opening.
    d = open_dialog(s, CMD_SETTINGS, SETTINGS_TITLE)
    click_control(s, control(d, 1068))
    s.wait_for(lambda: checked(s, SETTINGS_TITLE, 1068) == 0, 5, "the flag's box to clear")
    click_control(s, control(d, IDCANCEL))
    wait_closed(s, SETTINGS_TITLE)
    open_dialog(s, CMD_SETTINGS, SETTINGS_TITLE)
    s.expect_eq(1, checked(s, SETTINGS_TITLE, 1068), "the flag's box after a click and cancel")
    s.expect_eq("300", field(s, SETTINGS_TITLE, 1069), "the pause after three cancelled dialogs")

    # "&Угу" takes the pause from the field: 1..5000.
    for typed, taken in TIMEOUT_CASES:
        if not typed.isdigit() and typed and not HAVE_TK:
            driver.log(f"  skipped {typed!r} in the pause field: no tkinter to put text on the clipboard")
            continue
        set_timeout_field(s, typed)
        click_control(s, control(dialog(s, SETTINGS_TITLE), IDOK))
        wait_closed(s, SETTINGS_TITLE)
        open_dialog(s, CMD_SETTINGS, SETTINGS_TITLE)
        s.expect_eq(taken, field(s, SETTINGS_TITLE, 1069), f"the pause after \"&Угу\" with {typed!r} in the field")
    # Cancel leaves the pause whatever the field holds.
    set_timeout_field(s, "77")
    s.key("Escape")
    wait_closed(s, SETTINGS_TITLE)
    open_dialog(s, CMD_SETTINGS, SETTINGS_TITLE)
    s.expect_eq("5000", field(s, SETTINGS_TITLE, 1069), "the pause after Escape with 77 in the field")
    s.key("Escape")
    wait_closed(s, SETTINGS_TITLE)

    d = open_dialog(s, CMD_ABOUT, ABOUT_TITLE)
    t = texts(d)
    s.expect_eq(("Duvirud ida для Win95 версия 1.22", "OK", "Обратная связь"),
                (t.get(1017), t.get(IDOK), t.get(1019)), "the about box's name, button and feedback frame")
    s.expect(t.get(1018), "the about box's credit line", t.get(1018))
    s.key("Return")
    wait_closed(s, ABOUT_TITLE)

    s.post(MAIN, driver.WM_CLOSE)
    s.expect_eq(0, s.exit_code(timeout=20), "exit code")
    s.expect_eq((5000, 0, 0, 1), tuple(reg_dword(s, n) for n in ("TimeOut", "Salvo", "ProphyUser", "RussianFlag")),
                "stored (TimeOut, Salvo, ProphyUser, RussianFlag)")


# ---- tests: colours dialog ---------------------------------------------------------------

BACKGROUND_SPOT = (20, 300)  # a point of the frame's client area outside every child


def colour_fields(s):
    return tuple(field(s, COLOURS_TITLE, i) for i in (500, 1029, 1030))


def click_palette(s, d, column, row):
    palette = control(d, 1034)
    w, h = palette["client"][2] // 8, palette["client"][3] // 4
    click_control(s, palette, column * w + w // 2, row * h + h // 2)


def square_colour(s, board):
    """The inside of square Д5 of a board."""
    return s.pixel(s.window(board), 4 * C + C // 2, 4 * C + C // 2)


def looks(s):
    return (s.pixel(s.window(MAIN), *BACKGROUND_SPOT), square_colour(s, HUMAN_BOARD),
            square_colour(s, COMPUTER_BOARD))


def test_colours_dialog(s):
    s.start()
    s.wait_window(MAIN)
    s.wait_for(lambda: looks(s) == ((128, 0, 128), (128, 128, 0), (128, 128, 0)), 10,
               "the default colours on the frame and the boards")

    d = open_dialog(s, CMD_COLOURS, COLOURS_TITLE)
    s.expect_eq("Цвет поля битвы", field(s, COLOURS_TITLE, 1033), "the list's entry at opening")
    s.expect_eq(("128", "128", "0"), colour_fields(s), "the fields at opening")
    s.expect_eq([128, 128, 0], [control(d, i).get("pos") for i in (1027, 1032, 1031)], "the spins at opening")

    # A letter and a fourth digit are refused; Backspace still works.
    red = control(d, 500)
    click_control(s, red)
    s.wait_for(lambda: s.gui()["focus"] == red["hwnd"], 5, "the focus in the red field")
    s.key("End", "a", "5", "BackSpace")
    s.wait_for(lambda: field(s, COLOURS_TITLE, 500) != "128", 5, "the keys to reach the red field")
    s.expect_eq("12", field(s, COLOURS_TITLE, 500), "the red field after End, a, 5 and Backspace on 128")
    s.key("8")
    s.wait_for(lambda: field(s, COLOURS_TITLE, 500) == "128", 5, "the red field back at 128")

    # The palette's row 2, column 7 into the battle field's colour.
    click_palette(s, d, 7, 2)
    s.wait_for(lambda: colour_fields(s) == ("65", "105", "225"), 5, "the palette's colour in the fields")
    sample = control(d, 1039)
    s.wait_for(lambda: s.pixel(sample, 2 * C + C // 2, 2 * C + C // 2) == (65, 105, 225), 5,
               "the sample board's field in the new colour")

    # A click on the sample board's margin chooses the background, then the palette's row 0, column 5.
    click_control(s, sample, 3, 3)
    s.wait_for(lambda: field(s, COLOURS_TITLE, 1033) == "Цвет фона", 5, "the background chosen on the sample board")
    s.expect_eq(("128", "0", "128"), colour_fields(s), "the fields with the background chosen")
    click_palette(s, d, 5, 0)
    s.wait_for(lambda: colour_fields(s) == ("34", "139", "34"), 5, "the palette's green in the fields")

    click_control(s, control(d, IDOK))
    wait_closed(s, COLOURS_TITLE)
    try:
        s.wait_for(lambda: looks(s) == ((34, 139, 34), (65, 105, 225), (65, 105, 225)), 10,
                   "the frame and both boards in the new colours")
    except driver.Failed:
        s.fail(f"colours (frame, human's board, computer's board) after \"Угу\": {looks(s)}")

    # Changes dropped with "Отменить" and with Escape.
    d = open_dialog(s, CMD_COLOURS, COLOURS_TITLE)
    s.expect_eq(("65", "105", "225"), colour_fields(s), "the fields at the next opening")
    click_palette(s, d, 0, 0)
    s.wait_for(lambda: colour_fields(s) == ("255", "255", "255"), 5, "the palette's white in the fields")
    click_control(s, control(d, IDCANCEL))
    wait_closed(s, COLOURS_TITLE)
    d = open_dialog(s, CMD_COLOURS, COLOURS_TITLE)
    s.expect_eq(("65", "105", "225"), colour_fields(s), "the fields after \"Отменить\"")
    click_palette(s, d, 1, 0)
    s.wait_for(lambda: colour_fields(s) == ("0", "0", "0"), 5, "the palette's black in the fields")
    s.key("Escape")
    wait_closed(s, COLOURS_TITLE)
    s.send(MAIN, 0)
    s.expect_eq(((34, 139, 34), (65, 105, 225), (65, 105, 225)), looks(s),
                "the frame and the boards after \"Отменить\" and Escape")

    s.post(MAIN, driver.WM_CLOSE)
    s.expect_eq(0, s.exit_code(timeout=20), "exit code")
    s.expect_eq((0x228B22, 0xE16941), (reg_dword(s, "BackGround"), reg_dword(s, "BattleField")),
                "stored (BackGround, BattleField)")


if __name__ == "__main__":
    driver.main([
        test_results_and_statistics,
        test_won_dialog_stop_saves_the_totals,
        test_lost_dialog_escape_ends_the_program,
        test_settings_dialog_and_about_box,
        test_colours_dialog,
    ])
