"""The frame's commands under Wine: the menu and its marks, the toggles with
their toolbar buttons and tooltips, Exit against the close box, showing and
hiding windows (the commentator's own menu, a right click on the frame,
Ctrl+S, WM_USER), status hints, a new game, and whole games played by clicks
to the result question."""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from frame_helpers import (  # noqa: E402
    ARROWS, COMMENTATOR, COMPUTER_BOARD, HUMAN_BOARD, MAIN, PICKER, TOOLBAR, TOOLTIP, WINE_CELL,
    WM_GETTEXTLENGTH, WM_MENUSELECT, cleaned, click_square, fleet_squares,
    parse_state, relaunch, start, window_close)

SEP = None
MENU = [
    ("&Игра", [(303, "&Новая игра", False), SEP, (308, "&Авторасстановка", True), SEP,
               (40036, "Залповая стрельба", False), SEP, (40037, "Запрещать повторные выстрелы", True), SEP,
               (40011, "&Любитель", True), (40012, "&Профессионал", False), (40030, "&Супермэн", False), SEP,
               (301, "В&ыход", False)]),
    ("&Опции", [(40015, "&Цвета", False), (40014, "&Статистика", False), (40031, "&Настройка", False)]),
    # The load posts 40034 on a first run: the human shoots first.
    ("Первый &ход", [(40034, "&Человек", True), (40035, "&Компьютер", False)]),
    ("&Помогите...", [(40018, "&Спасайте...", False), SEP, (40048, "Свяжитесь по ICQ", False),
                      (40017, "&Обратная связь", False), (40016, "&Web-страница", False), SEP,
                      (302, "&О программе", False)]),
]

HINTS = {
    103: "Стрелки", 105: "Окно компьютера", 106: "Окно человека", 108: "Окно выбора корабля для установки.",
    301: "Выход из программы", 302: "Информация о программе", 303: "Новая игра",
    308: "Автоматическая расстановка Ваших кораблей", 40011: "Первый уровень сложности.",
    40012: "Второй уровень сложности", 40014: "Статистика побед и поражений.",
    40015: "Панель настройки цветов программы", 40018: "Файл помощи программы. (HTML)",
    40030: "Третий уровень сложности", 40031: "Настройка программы.",
    40034: "Первым в новой игре будет ходить человек.", 40035: "Первым в новой игре будет ходить компьютер.",
    40036: "Включить или отключить залповую стрельбу.",
    40037: "Допускать или нет выстрелы по уже обстрелянным квадратам.", 40041: "дед Пыхто.",
    40042: "Упорядочить окна.",
}
POPUP_HINTS = ["Здесь можно выбрать уровень сложности и произвести настройки.", "Настройка программы.",
               "Выбрать кто первый ходит.", "Получить помощь."]
SYSMENU_HINT = "Duvirud ida версия 1.2 для Win32."
TIP_AUTO_ON = "Корабли твои расставить... - уговорил."
TIP_AUTO_OFF = "Щас, как будто других дел нет. Сам работай."
BATTLE_STATUS = "Подбивайте корабли противника, щелкая левой кнопкой по его полю."

MF_POPUP, MF_SYSMENU, MF_SEPARATOR, MF_HILITE = 0x10, 0x2000, 0x800, 0x80
TB_CUSTOMIZE = 0x0400 + 27
LB_GETCURSEL, LB_GETCOUNT = 0x0188, 0x018B
WM_KEYDOWN, VK_NUMPAD8, VK_RETURN = 0x0100, 0x68, 0x0D
WM_SIZE = 0x0005
LEVELS = (40011, 40012, 40030)
SHIP_LENGTHS = [4, 3, 3, 2, 2, 2, 1, 1, 1, 1]
LETTERS = "АБВГДЕЖЗИК"
SEA = (128, 128, 0)
RED, BLUE = (255, 0, 0), (0, 0, 255)
SHIPS = (127, 127, 127)


def button_centre(s, command):
    r = s.toolbar_buttons()[command]["rect"]
    return (r[0] + r[2]) // 2, (r[1] + r[3]) // 2


def click_button(s, command):
    s.click(s.window(TOOLBAR), *button_centre(s, command))


def button_state(s, command):
    b = s.toolbar_buttons()[command]
    return b["image"], b["checked"], b["pressed"]


def marks(s, ids):
    items = s.menu_items()
    return {i: items[i]["checked"] for i in ids}


def wait_button(s, command, image, down, what):
    """Waits for a toolbar button's image and state (down = checked and pressed)."""
    want = (image, down, down)
    try:
        s.wait_for(lambda: button_state(s, command) == want, 10, what)
    except driver.Failed:
        pass
    s.expect_eq(want, button_state(s, command), f"{what}: button {command} (image, checked, pressed)")


def tooltip_length(s, command):
    """Rests the pointer on a toolbar button until its tooltip shows; the
    length of the tooltip's text (its WM_GETTEXTLENGTH)."""
    toolbar = s.window(TOOLBAR)
    s.move(s.window(MAIN), 600, 400)
    s.wait_for(lambda: not [t for t in s.windows(TOOLTIP) if t["visible"]], 10, "no tooltip shown")
    s.move(toolbar, *button_centre(s, command))
    tip = s.wait_for(lambda: [t for t in s.windows(TOOLTIP) if t["visible"]], 10, f"the tooltip of {command}")[0]
    return s.send(None, WM_GETTEXTLENGTH, hwnd=tip["hwnd"])["result"]


def expect_level(s, level_id, what):
    s.expect_eq({i: i == level_id for i in LEVELS}, marks(s, LEVELS), f"{what}: level marks")
    buttons = s.toolbar_buttons()
    s.expect_eq({i: (i == level_id, i == level_id) for i in LEVELS},
                {i: (buttons[i]["checked"], buttons[i]["pressed"]) for i in LEVELS},
                f"{what}: level buttons (checked, pressed)")


def settled(s, predicate, what, timeout=10):
    """Waits until the predicate holds; a failed wait is recorded, not raised."""
    try:
        return s.wait_for(predicate, timeout, what)
    except driver.Failed as e:
        s.fail(str(e))
        return None


# ---- menu, toggles, saving -----------------------------------------------------------------------


def test_menu_toggles_and_saving(s):
    """The menu's texts and marks; each toggle keeps mark, option, image and
    button in step; the close box saves the options, Exit saves nothing."""
    start(s)
    s.wait_window(MAIN)
    s.wait_for(lambda: s.toolbar_buttons()[40034]["checked"], 10, "the first-shot button set by the load")
    menu = s.menu()
    bar = [(m["text"], m["popup"]) for m in menu if m["depth"] == 0]
    s.expect_eq([(title, True) for title, _ in MENU], bar, "menu bar")
    for index, (title, items) in enumerate(MENU):
        got = [SEP if m["separator"] else (m["id"], m["text"], m["checked"])
               for m in menu if m["depth"] == 1 and m["path"][0] == index]
        s.expect_eq(items, got, f"items of {title} (id, text, checked)")

    # Auto-arrange from the toolbar: the control flips the button, the
    # command sets it by the menu's mark.
    s.expect_eq(len(TIP_AUTO_ON), tooltip_length(s, 308), "tooltip of 308 while on (its length)")
    click_button(s, 308)
    wait_button(s, 308, 10, False, "auto-arrange off from the toolbar")
    s.expect_eq({308: False}, marks(s, [308]), "menu mark of 308")
    s.expect_eq(len(TIP_AUTO_OFF), tooltip_length(s, 308), "tooltip of 308 while off (its length)")
    s.screenshot(os.path.join(s.workdir, "tooltip-308.png"))
    s.command(308)
    wait_button(s, 308, 9, True, "auto-arrange on from the menu")
    s.expect_eq({308: True}, marks(s, [308]), "menu mark of 308 again")
    s.expect_eq(len(HINTS[40042]), tooltip_length(s, 40042), "tooltip of 40042 from the string table")

    # Salvo from the menu and from the toolbar.
    s.command(40036)
    wait_button(s, 40036, 12, True, "salvo on from the menu")
    s.expect_eq({40036: True}, marks(s, [40036]), "menu mark of salvo on")
    click_button(s, 40036)
    wait_button(s, 40036, 11, False, "salvo off from the toolbar")
    s.expect_eq({40036: False}, marks(s, [40036]), "menu mark of salvo off")
    s.command(40036)
    wait_button(s, 40036, 12, True, "salvo on again")

    s.command(40037)
    settled(s, lambda: marks(s, [40037]) == {40037: False}, "the repeated-shot mark cleared")

    # Levels: one button down, the others up, one menu mark.
    click_button(s, 40012)
    settled(s, lambda: marks(s, LEVELS)[40012], "level 1 marked")
    expect_level(s, 40012, "level 1 from the toolbar")
    s.command(40030)
    settled(s, lambda: marks(s, LEVELS)[40030], "level 2 marked")
    expect_level(s, 40030, "level 2 from the menu")
    click_button(s, 40011)
    settled(s, lambda: marks(s, LEVELS)[40011], "level 0 marked")
    expect_level(s, 40011, "level 0 from the toolbar")
    s.command(40030)
    settled(s, lambda: marks(s, LEVELS)[40030], "level 2 marked again")

    click_button(s, 40035)
    settled(s, lambda: marks(s, [40034, 40035]) == {40034: False, 40035: True}, "computer first marked")
    s.expect_eq({40034: (False, False), 40035: (True, True)},
                {i: button_state(s, i)[1:] for i in (40034, 40035)}, "first-shot buttons (checked, pressed)")
    click_button(s, 308)
    wait_button(s, 308, 10, False, "auto-arrange off for the save")

    before = s.reg("HKLM")
    frame = s.window(MAIN)
    s.click_screen(*s.hit_point(frame, driver.HTCLOSE))
    s.expect_eq(0, s.exit_code(), "exit code after the close box")
    saved = {n: v["dword"] for n, v in s.reg("HKLM").items() if "dword" in v}
    s.expect_eq({"AutoArrange": 0, "Salvo": 1, "Reshot": 0, "ProphyUser": 2, "FirstShoot": 0},
                {n: saved.get(n) for n in ("AutoArrange", "Salvo", "Reshot", "ProphyUser", "FirstShoot")},
                "options saved by the close box")
    s.expect_eq(1, before["AutoArrange"]["dword"], "nothing was saved before the close")

    relaunch(s)
    s.wait_window(MAIN)
    s.wait_for(lambda: s.toolbar_buttons()[40035]["checked"], 10, "the first-shot button set by the load")
    s.expect_eq({308: False, 40036: True, 40037: False, 40034: False, 40035: True},
                marks(s, [308, 40036, 40037, 40034, 40035]), "marks read back")
    expect_level(s, 40030, "level read back")
    wait_button(s, 308, 10, False, "auto-arrange read back")
    wait_button(s, 40036, 12, True, "salvo read back")

    stored = {"HKLM": s.reg("HKLM"), "HKCU": s.reg("HKCU")}
    for command in (308, 40036, 40037, 40011, 40034):
        s.command(command)
    settled(s, lambda: marks(s, [308, 40036, 40037, 40011, 40034]) == {308: True, 40036: False, 40037: True,
                                                                       40011: True, 40034: True},
            "the options changed back")
    s.command(301)
    s.expect_eq(0, s.exit_code(), "exit code after Exit")
    s.expect_eq(stored, {"HKLM": s.reg("HKLM"), "HKCU": s.reg("HKCU")},
                "the key byte for byte after Exit")


# ---- showing and hiding ---------------------------------------------------------------------------


def shown(s, cls):
    w = s.window(cls)
    return w["visible"] if w else None


def test_show_and_hide(s):
    """The commentator hidden by its own menu, by command 40041 to it and by
    its close box, shown again by button 40041; the board and placement
    buttons; a right click on the frame hides the program, Ctrl+S shows it
    maximized; WM_USER gives the frame the focus."""
    start(s)
    s.wait_window(MAIN)
    com = s.window(COMMENTATOR)
    static = s.window("Static")

    s.click(static, 40, 10, button=3)
    items = s.wait_for(lambda: s.try_probe("menu", "--popup"), 10, "the commentator's menu")
    got = [(i["id"], i["text"]) if not i["separator"] else SEP for i in items if i.get("depth") == 0]
    s.expect_eq([(40041, "&Спрятать окно"), SEP, (120, "&Выбрать шрифт")], got, "the commentator's menu")
    s.key("Down", "Return")
    settled(s, lambda: shown(s, COMMENTATOR) is False, "the commentator hidden by its menu")
    s.expect_eq((3, False, False), button_state(s, 40041), "button 40041 released by the hide")
    click_button(s, 40041)
    settled(s, lambda: shown(s, COMMENTATOR), "the commentator shown by button 40041")
    s.expect_eq(com["rect"], s.window(COMMENTATOR)["rect"], "the commentator where it was")
    s.expect_eq((3, True, False), button_state(s, 40041), "button 40041 checked")

    s.post(None, driver.WM_COMMAND, 40041, 0, hwnd=com["hwnd"])
    settled(s, lambda: shown(s, COMMENTATOR) is False, "the commentator hidden by command 40041")
    s.expect_eq((3, False, False), button_state(s, 40041), "button 40041 released")
    click_button(s, 40041)
    settled(s, lambda: shown(s, COMMENTATOR), "the commentator shown again")

    s.click_screen(*s.hit_point(s.window(COMMENTATOR), driver.HTCLOSE))
    settled(s, lambda: shown(s, COMMENTATOR) is False, "the commentator hidden by its close box")
    s.expect_eq((3, False, False), button_state(s, 40041), "button 40041 released by the close box")
    click_button(s, 40041)
    settled(s, lambda: shown(s, COMMENTATOR), "the commentator shown after its close box")

    for command, cls, visible in ((105, COMPUTER_BOARD, True), (106, HUMAN_BOARD, True), (103, ARROWS, False),
                                  (108, PICKER, False)):
        click_button(s, command)
        settled(s, lambda: shown(s, cls) is not visible, f"{cls} switched by button {command}")
        s.expect_eq(not visible, button_state(s, command)[1], f"button {command} checked")
        click_button(s, command)
        settled(s, lambda: shown(s, cls) is visible, f"{cls} switched back by button {command}")

    frame = s.window(MAIN)
    s.click(frame, frame["client"][2] - 20, frame["client"][3] - 40, button=3)
    settled(s, lambda: shown(s, MAIN) is False, "the program hidden by a right click on the frame")
    s.key("ctrl+s")
    settled(s, lambda: shown(s, MAIN), "the program shown by Ctrl+S")
    main = s.window(MAIN)
    s.expect(main["zoomed"], "shown maximized")
    settled(s, lambda: s.gui()["focus"] == main["hwnd"], "the frame to have the focus after Ctrl+S")

    s.click(main, main["client"][2] - 20, main["client"][3] - 40, button=3)
    settled(s, lambda: shown(s, MAIN) is False, "hidden again")
    s.expect_eq(0, s.gui()["focus"], "no focus while hidden")
    answer = s.send(MAIN, driver.WM_USER)
    s.expect(answer["ok"], "WM_USER answered")
    settled(s, lambda: s.gui()["focus"] == main["hwnd"], "the frame to have the focus after WM_USER")


def text_colours(s):
    """Colours of the pixels of the commentary, as far as the commentator shows it."""
    com = s.window(COMMENTATOR)
    rows = s.pixels(s.window("Static"), 0, 0, com["client"][2], com["client"][3])
    return [p for row in rows for p in row]


def test_commentator_font(s):
    """A font chosen through the commentator's menu, 14 points in blue,
    shows at once and is back after a close and a restart."""
    start(s)
    s.wait_window(MAIN)
    s.expect(text_colours(s).count(RED) > 30, "red commentary on a first run")
    s.click(s.window("Static"), 40, 10, button=3)
    s.wait_for(lambda: s.try_probe("menu", "--popup"), 10, "the commentator's menu")
    s.key("Up", "Return")
    dialog = s.wait_dialog(timeout=10)
    controls = {}
    for c in dialog["controls"]:
        controls.setdefault(c["id"], c)
    edits = [c for c in dialog["controls"] if c["class"] == "Edit"]
    size_edit = next(e for e in edits if e["parent"] == controls[1138]["hwnd"])
    s.click(size_edit, 5, 5)
    s.key("End", "BackSpace", "BackSpace", "BackSpace", "1", "4")
    colour = controls[1139]
    s.click(colour, 10, (colour["rect"][3] - colour["rect"][1]) // 2)
    s.key("Home", *["Down"] * 12, "Return")
    settled(s, lambda: {c["id"]: c for c in s.wait_dialog(timeout=10)["controls"]}[1139]["text"] == "Синий",
            "blue chosen in the font dialog")
    ok = controls[1]["rect"]
    s.click_screen((ok[0] + ok[2]) // 2, (ok[1] + ok[3]) // 2)
    s.wait_for(lambda: not s.dialogs(), 10, "the font dialog to close")
    settled(s, lambda: text_colours(s).count(BLUE) > 30, "blue commentary at once")
    s.expect_eq(0, text_colours(s).count(RED), "no red left in the commentary")

    s.expect_eq(0, window_close(s), "exit code after WM_CLOSE")
    values = s.reg("HKLM")
    info = bytes.fromhex(values["FontInfo"]["hex"])
    height, colour_ref = struct.unpack_from("<i", info, 0)[0], struct.unpack_from("<I", info, 60)[0]
    s.expect_eq((-19, 0xFF0000), (height, colour_ref), "commentator font height (14 points) and colour saved")
    s.expect_eq(32, struct.unpack_from("<I", bytes.fromhex(values["FontStringSize"]["hex"]), 0)[0],
                "the commentator's face-name count set to 32")
    s.expect_eq(info[28:60].hex(), values["FontComment"]["hex"], "FontComment is the record's face name")
    s.expect(info[28] != 0, "a face name was chosen", info[28:60])

    relaunch(s)
    s.wait_window(MAIN)
    settled(s, lambda: text_colours(s).count(BLUE) > 30, "blue commentary after the restart")

    # Without FontInfo the commentary is red again.
    s.reg_delete("FontInfo")
    relaunch(s)
    s.wait_window(MAIN)
    settled(s, lambda: text_colours(s).count(RED) > 30, "red commentary once FontInfo is gone")


# ---- status hints -----------------------------------------------------------------------------------


def test_menu_hints_and_customise(s):
    """Part 0 of the status bar follows the menu: by the keyboard through the
    real menu, and for every hint id by WM_MENUSELECT. Then the toolbar's
    customise dialog."""
    start(s)
    s.wait_window(MAIN)
    s.key("F10")
    settled(s, lambda: s.status_texts()[0] == POPUP_HINTS[0], "the hint of the game popup after F10")
    for key, want in (("Down", HINTS[303]), ("Down", HINTS[308]), ("Down", HINTS[40036]),
                      ("Right", HINTS[40015]), ("Down", HINTS[40014]), ("Right", HINTS[40034]),
                      ("Right", HINTS[40018]), ("Down", "messenger")):
        s.key(key)
        if want == "messenger":
            # 40048 lies between the separator and the feedback item.
            got = settled(s, lambda: s.status_texts()[0].startswith("https://"), "the messenger page as hint")
        else:
            got = settled(s, lambda: s.status_texts()[0] == want, f"hint {want!r} after {key}")
        if not got:
            break
    s.key("Escape", "Escape")
    settled(s, lambda: not s.gui()["in_menu"], "the menu closed")
    settled(s, lambda: s.status_texts()[0] == "", "an empty hint when the menu closes")

    def hint(index, flags):
        s.send(MAIN, WM_MENUSELECT, (flags << 16) | index, 0)
        return s.status_texts()[0]

    got = {i: hint(i, MF_HILITE) for i in HINTS}
    s.expect_eq(HINTS, got, "hints of the commands")
    s.expect(hint(40017, MF_HILITE).startswith("mailto: "), "the feedback hint is a mailto: address",
             hint(40017, MF_HILITE))
    s.expect(hint(40016, MF_HILITE).startswith("http"), "the web-page hint is an address", hint(40016, 0))
    s.expect_eq(POPUP_HINTS + [""], [hint(i, MF_POPUP | MF_HILITE) for i in range(5)], "hints of the popups")
    s.expect_eq(SYSMENU_HINT, hint(0, MF_POPUP | MF_SYSMENU), "hint of the system menu")
    s.expect_eq("", hint(0xF060, MF_SYSMENU | MF_HILITE), "no hint for a system-menu item")
    s.expect_eq("", hint(303, MF_SEPARATOR), "no hint for a separator")
    s.expect_eq("", hint(12345, MF_HILITE), "no hint for an unknown id")
    hint(303, MF_HILITE)
    s.expect_eq("", hint(0, 0xFFFF), "the closing menu empties the hint")

    # The toolbar's customise dialog offers the 25 entries of its table;
    # the first button cannot be removed, the others can.
    s.post(None, TB_CUSTOMIZE, hwnd=s.window(TOOLBAR)["hwnd"])
    dialog = s.wait_dialog(timeout=10)
    controls = {c["id"]: c for c in dialog["controls"]}
    available, current = controls[201], controls[203]

    def count(listbox):
        return s.send(None, LB_GETCOUNT, hwnd=listbox["hwnd"])["result"]
    s.expect_eq((1, 26), (count(available), count(current)),
                "customise lists: only a separator to add, 25 entries and the end mark on the toolbar")

    def removable():
        return {c["id"]: c for c in s.wait_dialog(timeout=10)["controls"]}[204]["enabled"]
    s.click(current, 40, 10)
    s.key("Home")
    settled(s, lambda: s.send(None, LB_GETCURSEL, hwnd=current["hwnd"])["result"] == 0, "the first entry chosen")
    s.expect_eq(False, removable(), "the first button cannot be removed")
    s.key("Down", "Down")
    settled(s, lambda: s.send(None, LB_GETCURSEL, hwnd=current["hwnd"])["result"] == 2, "the third entry chosen")
    s.expect_eq(True, removable(), "button 105 can be removed")
    left, top, right, bottom = controls[204]["rect"]
    s.click_screen((left + right) // 2, (top + bottom) // 2)
    settled(s, lambda: 105 not in s.toolbar_buttons(), "button 105 removed from the toolbar")
    s.expect_eq((2, 25), (count(available), count(current)), "customise lists after the removal")


# ---- a new game -------------------------------------------------------------------------------------


def expect_fleet(s, state, name):
    """Ten straight ships of lengths 4, 3, 3, 2, 2, 2, 1, 1, 1, 1 on the
    board, not touching one another, not even at a corner."""
    ships = [[(int(p[0]), int(p[1])) for p in ship.split(",")] for ship in state[name].split(";")]
    s.expect_eq(SHIP_LENGTHS, [len(set(ship)) for ship in ships], f"{name}: ship lengths")
    for i, ship in enumerate(ships):
        xs = sorted({x for x, _ in ship})
        ys = sorted({y for _, y in ship})
        straight = (len(xs) == 1 and ys == list(range(ys[0], ys[0] + len(ship)))) or \
                   (len(ys) == 1 and xs == list(range(xs[0], xs[0] + len(ship))))
        s.expect(straight, f"{name}: ship {i} is a straight line of squares", ship)
        for j, other in enumerate(ships[:i]):
            near = [(a, b) for a in ship for b in other if abs(a[0] - b[0]) <= 1 and abs(a[1] - b[1]) <= 1]
            s.expect(not near, f"{name}: ships {j} and {i} do not touch", near)
    return ships


def board_state(s):
    return parse_state(s.state())


def test_new_game(s):
    """Command 303 with auto-arrange on starts the battle with both fleets
    placed; with it off the picker opens."""
    start(s)
    s.wait_window(MAIN)
    s.command(303)
    state = s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" else None)(board_state(s)), 20,
                       "the battle to start")
    s.expect_eq([BATTLE_STATUS, "Компьютер:10", "Человек:10"], s.status_texts(), "status bar of the battle")
    s.expect_eq(("Корабли компьютера", "Корабли человека"),
                (s.window(COMPUTER_BOARD)["text"], s.window(HUMAN_BOARD)["text"]), "board captions")
    s.expect_eq("10,10", state["ShipsLeft"], "ships left")
    s.expect_eq("0" * 100, state["ShotsAtComputer"], "no shots at the computer")
    s.expect_eq("0" * 100, state["ShotsAtHuman"], "no shots at the human")
    human = {sq for ship in expect_fleet(s, state, "HumanFleet") for sq in ship}
    computer = {sq for ship in expect_fleet(s, state, "ComputerFleet") for sq in ship}

    # What the player sees: his own ships, not the computer's.
    c = WINE_CELL
    hb, cb = s.window(HUMAN_BOARD), s.window(COMPUTER_BOARD)
    seen_human = {(x, y) for x in range(10) for y in range(10)
                  if s.pixel(hb, x * c + c // 2, y * c + c // 2) == SHIPS}
    s.expect_eq(human, seen_human, "the human's ships drawn on his board")
    rows = s.pixels(cb, 0, 0, 10 * c, 10 * c)
    seen_computer = {(x, y) for x in range(10) for y in range(10) if rows[y * c + c // 2][x * c + c // 2] != SEA}
    s.expect_eq(set(), seen_computer, "the computer's board shows only sea")
    s.screenshot(os.path.join(s.workdir, "new-game.png"))
    s.expect(computer != human, "two fleets placed independently")

    s.command(308)
    s.wait_for(lambda: not s.toolbar_buttons()[308]["checked"], 10, "auto-arrange off")
    click_button(s, 103)
    settled(s, lambda: shown(s, ARROWS), "the pad shown by button 103")
    s.command(303)
    settled(s, lambda: shown(s, PICKER), "the picker shown by a new game without auto-arrange")
    s.expect_eq((5, True, True), button_state(s, 108), "button 108 pressed and checked")
    s.expect_eq("Готово...", s.status_texts()[0], "status after the reset")
    before = s.state()
    state = parse_state(before)
    s.expect_eq("0", state["BattleOn"], "no battle while the ships are placed")
    # The placement keys act only while a ship is being positioned.
    s.send(MAIN, WM_KEYDOWN, VK_NUMPAD8, 0)
    s.send(MAIN, WM_KEYDOWN, VK_RETURN, 0)
    s.expect_eq(before, s.state(), "keypad 8 and Enter with no ship being positioned change nothing")
    s.expect(shown(s, PICKER) and not shown(s, ARROWS), "the picker still open, the pad hidden")
    s.expect_eq((4, False, False), button_state(s, 103), "button 103 released by the new game")
    s.expect_eq("0" * 100, state["ShotsAtComputer"], "the old shots cleared")
    s.expect_eq(["Компьютер:10", "Человек:10"], s.status_texts()[1:], "counts after the reset")
    s.expect_eq(("Корабли компьютера", "Корабли человека"),
                (s.window(COMPUTER_BOARD)["text"], s.window(HUMAN_BOARD)["text"]), "captions after the reset")


# ---- whole games ---------------------------------------------------------------------------------------


def square_name(x, y):
    return f"{LETTERS[x]}{y + 1}"


def answer_result(s, title, play_again):
    """Answers the result question: the plain Yes/No box or the result
    dialog (ids 6/7 or 1/2)."""
    box = s.wait_dialog(title, timeout=20)
    ids = {c["id"]: c for c in box["controls"]}
    yes, no = (6, 7) if 6 in ids else (1, 2)
    button = ids[yes if play_again else no]
    left, top, right, bottom = button["rect"]
    s.click_screen((left + right) // 2, (top + bottom) // 2)


def test_whole_games(s):
    """A game won by clicks aimed at the computer's ships, answered "play
    again": a fresh battle runs; a second game lost, answered "stop": the
    program ends with 0 and the totals are saved (the destroy pass only)."""
    s.reg_set_dword("TimeOut", 0)
    start(s)
    s.wait_window(MAIN)
    s.command(303)
    state = s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" else None)(board_state(s)), 20,
                       "the battle to start")
    board = s.window(COMPUTER_BOARD)
    ships = [[(int(p[0]), int(p[1])) for p in ship.split(",")] for ship in state["ComputerFleet"].split(";")]
    clicks = 0
    for index, ship in enumerate(ships):
        for x, y in ship:
            clicks += 1
            click_square(s, board, x, y)
            s.wait_for(lambda: board_state(s)["ShotsAtComputer"][x * 10 + y] == "1", 10, f"the shot at {x}{y}")
            if index == 0 and (x, y) == ship[-1]:
                s.expect_eq(f"Ваш ход - {square_name(x, y)} - потоплен Линкор", s.window("Static")["text"],
                            "comment on sinking the four-square ship")
                s.expect_eq("Компьютер:9", s.status_texts()[1], "computer's ships left after one sunk")
                client = s.window(MAIN)["client"]
                s.send(MAIN, WM_SIZE, 0, (client[3] << 16) | client[2])
                s.expect_eq(["Компьютер:9", "Человек:10"], s.status_texts()[1:], "counts rewritten by WM_SIZE")
                s.expect_eq("Человек - осталось ходов - 1", s.window(COMPUTER_BOARD)["text"],
                            "the human keeps the turn after a hit")
    s.expect_eq(20, clicks, "twenty clicks")
    s.expect_eq("Компьютер:0", s.status_texts()[1], "no computer ship left")
    state = board_state(s)
    s.expect_eq(("0", "0,10"), (state["BattleOn"], state["ShipsLeft"]), "the battle over, the human's fleet whole")
    s.expect_eq("0" * 100, state["ShotsAtHuman"], "the computer never shot")
    s.screenshot(os.path.join(s.workdir, "won.png"))
    s.expect_eq(0, s.reg("HKLM")["ManWon"]["dword"], "ManWon is not saved before the end of the run")
    answer_result(s, "Что, не веришь своему счастью?", play_again=True)

    def fresh():
        st = board_state(s)
        return st if st["BattleOn"] == "1" and st["ShotsAtComputer"] == "0" * 100 else None
    state = s.wait_for(fresh, 20, "a fresh battle after \"play again\"")
    s.expect_eq("10,10", state["ShipsLeft"], "ships left in the new game")
    s.expect_eq([BATTLE_STATUS, "Компьютер:10", "Человек:10"], s.status_texts(), "status bar of the new game")
    expect_fleet(s, state, "ComputerFleet")

    # The second game is lost: level 2, the human shoots only at water.
    s.command(40030)
    s.wait_for(lambda: marks(s, LEVELS)[40030], 10, "level 2")
    ships = set(fleet_squares(state, "ComputerFleet"))
    water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in ships]
    ended = False
    for x, y in water:
        before = board_state(s)["ShotsAtHuman"].count("1")
        click_square(s, board, x, y)

        def turn_over():
            if any(d["title"] == "Вы проиграли!!!" for d in s.dialogs()):
                return "end"
            st = board_state(s)
            return "shot" if st["ShotsAtComputer"][x * 10 + y] == "1" and \
                st["ShotsAtHuman"].count("1") > before else None
        if s.wait_for(turn_over, 15, f"the computer's turn after a miss at {x}{y}") == "end":
            ended = True
            break
    s.require_eq(True, ended, "the computer has sunk the human's fleet")
    s.expect_eq("Человек:0", s.status_texts()[2], "no human ship left")
    answer_result(s, "Вы проиграли!!!", play_again=False)
    s.expect_eq(0, s.exit_code(), "exit code after \"stop\"")
    values = s.reg("HKLM")
    s.expect_eq((1, 1, 2), tuple(values[n]["dword"] for n in ("ManWon", "CompWon", "ProphyUser")),
                "ManWon, CompWon and the level saved")
    s.expect_eq((WINE_CELL, WINE_CELL), (values["RectSize"]["dword"], values["PRectSize"]["dword"]),
                "the destroy pass wrote the cell size")
    s.expect("WinPos" not in values, "no close pass: no window positions saved")


if __name__ == "__main__":
    driver.main([
        cleaned(test_menu_toggles_and_saving),
        cleaned(test_show_and_hide),
        cleaned(test_commentator_font),
        cleaned(test_menu_hints_and_customise),
        cleaned(test_new_game),
        cleaned(test_whole_games),
    ])
