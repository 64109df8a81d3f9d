"""Placing the fleet by hand: the ship picker, the arrow pad, the keys and the
mouse on the human's board, the step limits and their messages, the touching
rule, and the start of the battle after the tenth ship."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402

MAIN = "Trivok_Class"
HUMAN_BOARD = "Second_screen"
PICKER = "ShipContainer_class"
ARROWS = "Container_class"
TOOLBAR = "ToolbarWindow32"

C = 17  # CellSize under Wine at 96 DPI

IDOK = 1
SS_ICON = 0x3
TB_SHOW_ARROWS = 103
TB_SHOW_PICKER = 108
CMD_NEW_GAME = 303
CMD_AUTO_ARRANGE = 308

# Pad buttons by their control ids.
PAD_UP, PAD_TURN, PAD_RIGHT, PAD_LEFT, PAD_DOWN, PAD_DONE = 3, 4, 5, 6, 7, 8

ERROR_TITLE = "Ошибка"
PAST_LEFT = "Неверное перемещение.\nВыход за рамки!"
PAST_EDGE = "Неверное направление.\nВыход за рамки!"
TURN_PAST = "Невозможный поворот.\nВыход за рамки!"
TOUCHING = ("Неправильная позиция.\nКорабли не должны соприкасаться друг с другом.\n"
            "Установите корабль в правильное положение.")
KEYS_HINT = "Клавиши 4,8,6,2-перемещение, 5-поворот, ENTER-готово."
BATTLE_STATUS = "Подбивайте корабли противника, щелкая левой кнопкой по его полю."

# Default colours.
BATTLE_FIELD = (128, 128, 0)
SHIPS = (127, 127, 127)
LINES = (0, 0, 0)


def cells(f, c=C):
    return int(f * c)


# The picker's silhouettes: 0..3 upright (four to one squares), 4..7 lying.
_FACTORS = [(0.5, 0.5, 1.5, 4.5), (1.5, 1.5, 2.5, 4.5), (2.5, 2.5, 3.5, 4.5), (3.5, 3.5, 4.5, 4.5),
            (5.5, 0.5, 9.5, 1.5), (5.5, 1.5, 8.5, 2.5), (5.5, 2.5, 7.5, 3.5), (5.5, 3.5, 6.5, 4.5)]
SILHOUETTES = [tuple(cells(f) for f in r) for r in _FACTORS]
UPRIGHT = {4: 0, 3: 1, 2: 2, 1: 3}  # silhouette index by ship length
LYING = {4: 4, 3: 5, 2: 6, 1: 7}
SLOT = {4: 0, 3: 1, 2: 2, 1: 3}     # length slot of the counts


# ---- reading the game --------------------------------------------------------------


def parse_state(text):
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def state(s):
    return parse_state(s.state())


def human_ship(st, k):
    """Squares (x, y) of the human's ship k as the model holds them."""
    ship = st["HumanFleet"].split(";")[k]
    return {(int(p[0]), int(p[1])) for p in ship.split(",")}


def ship_squares(x, y, length, vertical):
    return {(x, y + i) if vertical else (x + i, y) for i in range(length)}


def pad(s):
    return s.window(ARROWS)


def pad_buttons(s):
    """The BUTTON children of the arrow pad, keyed by control id."""
    return {w["id"]: w for w in s.windows(under=pad(s)["hwnd"]) if w["class"].lower() == "button"}


def count_pad_buttons(s):
    return len([w for w in s.windows(under=pad(s)["hwnd"]) if w["class"].lower() == "button"])


def board_rows(s):
    """Pixels of the ten by ten squares of the human's board (the closing grid
    lines left out: the flag's white stripe starts right at their corner)."""
    return s.pixels(s.window(HUMAN_BOARD), 0, 0, 10 * C, 10 * C)


INVERTED = {(255 - r, 255 - g, 255 - b) for (r, g, b) in (BATTLE_FIELD, SHIPS, LINES)}


def ship_image(s, rows=None):
    """Bounding rectangle (left, top, right, bottom) of the inverted pixels on
    the human's board, that is of the ship being positioned; None when there are none."""
    rows = rows if rows is not None else board_rows(s)
    xs, ys = [], []
    for y, row in enumerate(rows):
        for x, p in enumerate(row):
            if p in INVERTED:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def rect(x, y, w, h):
    """Pixel rectangle of w x h squares with its top-left square at (x, y)."""
    return x * C, y * C, (x + w) * C, (y + h) * C


def wait_image(s, expected, what):
    """Waits until the inverted ship lies at `expected` (pixels); records a failure otherwise."""
    try:
        s.wait_for(lambda: ship_image(s) == expected, 8, what)
        return True
    except driver.Failed:
        s.fail(f"{what}: expected the ship's image at {expected}, it is at {ship_image(s)}")
        return False


def digit_box(s, picker, silhouette):
    """The pixels where the picker draws the count of a silhouette: from two
    pixels left of the digit's origin to the far side of the silhouette."""
    left, top, right, bottom = SILHOUETTES[silhouette]
    x0 = left + cells(0.25)
    y0 = bottom - cells(0.9) if silhouette < 4 else top + cells(0.1)
    rows = s.pixels(picker, x0 - 2, y0, 13, 13)
    return tuple(tuple(r) for r in rows)


def picker_counts(s):
    """The eight count images, in silhouette order."""
    picker = s.window(PICKER)
    return [digit_box(s, picker, i) for i in range(8)]


# ---- acting ----------------------------------------------------------------------------


def click_silhouette(s, silhouette):
    left, top, right, bottom = SILHOUETTES[silhouette]
    s.click(s.window(PICKER), (left + right) // 2, (top + bottom) // 2)


def click_square(s, x, y, button=1):
    s.click(s.window(HUMAN_BOARD), x * C + C // 2, y * C + C // 2, button)


def click_pad(s, command):
    b = pad_buttons(s)[command]
    w = b["client"][2]
    s.click(b, w // 2, w // 2)


def click_toolbar(s, command):
    bar = s.toolbar()
    button = next(b for b in bar["buttons"] if b["command"] == command)
    left, top, right, bottom = button["rect"]
    s.click(s.window(TOOLBAR), (left + right) // 2, (top + bottom) // 2)


def input_handled(s):
    """Returns once the input sent so far has been handled: keys and clicks
    reach the game in order, so a toolbar click that shows or hides the
    picker comes after them. Two clicks leave the picker as it was."""
    for _ in range(2):
        was = s.window(PICKER)["visible"]
        click_toolbar(s, TB_SHOW_PICKER)
        s.wait_for(lambda: s.window(PICKER)["visible"] != was, 8, "the picker's toolbar button to act")


def press(s, *keys):
    """Keys to the frame, which must have the keyboard focus."""
    main = s.window(MAIN)
    s.wait_for(lambda: s.gui()["focus"] == main["hwnd"], 5, "the keyboard focus on the main window")
    s.key(*keys)


def error_boxes(s):
    return [d for d in s.dialogs() if d["title"] == ERROR_TITLE]


def box_text(d):
    return next((c["text"] for c in d["controls"] if c["class"] == "Static" and c["text"]), None)


def expect_box(s, text, what):
    """Waits for the error box, checks its text and icon, and answers it."""
    d = s.wait_for(lambda: (error_boxes(s) or [None])[0], 10, f"the message box of {what}")
    s.expect_eq(text, box_text(d), f"text of the message box of {what}")
    s.expect(any(c["class"] == "Static" and (c["style"] & 0x1F) == SS_ICON for c in d["controls"]),
             f"the message box of {what} shows an icon")
    s.post(None, driver.WM_COMMAND, IDOK, 0, hwnd=d["hwnd"])
    s.wait_for(lambda: not error_boxes(s), 10, f"the message box of {what} to close")


def choose(s, silhouette, length, vertical):
    """Chooses a ship in the picker and waits for it to appear at А1 with the pad."""
    click_silhouette(s, silhouette)
    s.wait_for(lambda: s.window(ARROWS)["visible"], 8, "the arrow pad to show")
    wait_image(s, rect(0, 0, 1, length) if vertical else rect(0, 0, length, 1),
               f"a new {length}-square ship at А1")
    s.expect_eq(6, count_pad_buttons(s), "pad buttons while a ship is positioned")


def wait_placed(s, k, squares, what):
    try:
        s.wait_for(lambda: human_ship(state(s), k) == squares, 8, what)
    except driver.Failed:
        s.fail(f"{what}: ship {k} is at {sorted(human_ship(state(s), k))}, expected {sorted(squares)}")


def wait_battle(s):
    s.wait_for(lambda: state(s)["BattleOn"] == "1", 10, "the battle to start")
    s.wait_for(lambda: s.status_texts()[:1] == [BATTLE_STATUS], 5, "the battle's status text")


def check_board_after_placement(s, fleet_squares):
    """Every square of a placed ship inside its frame in Ships, every free
    square inside the grid lines in BattleField, nothing inverted left."""
    rows = board_rows(s)
    s.expect_eq(None, ship_image(s, rows), "inverted pixels on the human's board after placement")
    wrong = []
    for x in range(10):
        for y in range(10):
            want = SHIPS if (x, y) in fleet_squares else BATTLE_FIELD
            # Ship squares: everything but the ship's outline; free squares:
            # everything inside the grid lines.
            for py in range(y * C + 1, (y + 1) * C - 1):
                for px in range(x * C + 1, (x + 1) * C - 1):
                    if rows[py][px] != want:
                        wrong.append(((x, y), (px, py), rows[py][px], want))
                        break
                else:
                    continue
                break
    s.expect(not wrong, "colours of the squares of the human's board after placement", wrong[:6])


def check_ship_outline(s, x, y, length, vertical):
    """The ship's frame in Lines and its inside in Ships, also across the
    grid lines between its squares."""
    rows = board_rows(s)
    left, top, right, bottom = rect(x, y, 1, length) if vertical else rect(x, y, length, 1)
    frame = {rows[top][px] for px in range(left, right)} | {rows[bottom - 1][px] for px in range(left, right)}
    frame |= {rows[py][left] for py in range(top, bottom)} | {rows[py][right - 1] for py in range(top, bottom)}
    inside = {rows[py][px] for py in range(top + 1, bottom - 1) for px in range(left + 1, right - 1)}
    s.expect_eq({LINES}, frame, f"outline of the ship at {(x, y)}")
    s.expect_eq({SHIPS}, inside, f"inside of the ship at {(x, y)}")


def nothing_positioned(s, before, what):
    """No ship being positioned: the pad hidden and empty, no inverted image,
    no message box, the model as it was."""
    s.expect(not s.window(ARROWS)["visible"], f"{what}: the arrow pad stays hidden")
    s.expect_eq(0, count_pad_buttons(s), f"{what}: pad buttons")
    s.expect_eq(None, ship_image(s), f"{what}: an inverted ship on the human's board")
    s.expect_eq([], error_boxes(s), f"{what}: message boxes")
    s.expect_eq(before, s.state(), f"{what}: the model")


def start_hand_placed(s, **values):
    s.reg_set_dword("AutoArrange", 0)
    s.reg_set_dword("FirstShoot", 1)
    for name, value in values.items():
        s.reg_set_dword(name, value)
    s.start()
    s.wait_window(MAIN)


# ---- tests ------------------------------------------------------------------------------

# The fleet placed with the keys: (length, silhouette, turns at А1, x, y, vertical at the end),
# in the order of choice; a ship's fleet index follows from its length and order.
KEY_FLEET = [
    (4, UPRIGHT[4], 1, 6, 9, False),
    (3, UPRIGHT[3], 0, 0, 0, True),
    (2, LYING[2], 1, 9, 0, True),
    (1, UPRIGHT[1], 0, 2, 4, True),
    (3, LYING[3], 0, 2, 0, False),
    (2, LYING[2], 0, 6, 0, False),
    (2, UPRIGHT[2], 0, 0, 4, True),
    (1, LYING[1], 0, 4, 4, True),
    (1, UPRIGHT[1], 0, 6, 6, True),
    (1, LYING[1], 0, 9, 6, True),
]


def fleet_index(order, length):
    """Fleet index of the n-th chosen ship of a length (n from 0)."""
    return {4: 0, 3: 1, 2: 3, 1: 6}[length] + order


def test_fleet_placed_with_the_keys(s):
    start_hand_placed(s)
    main = s.window(MAIN)

    # Before a new game the picker takes no choice, and no key places anything.
    before = s.state()
    click_toolbar(s, TB_SHOW_PICKER)
    s.wait_for(lambda: s.window(PICKER)["visible"], 8, "the picker shown by its toolbar button")
    for silhouette in (UPRIGHT[4], LYING[1]):
        click_silhouette(s, silhouette)
    s.post(None, driver.WM_USER, 0, 0, hwnd=main["hwnd"])  # the frame takes the focus
    press(s, "Left", "Down", "KP_5", "Return")
    input_handled(s)
    s.send(ARROWS, driver.WM_COMMAND, PAD_DONE)
    s.send(ARROWS, driver.WM_COMMAND, PAD_RIGHT)
    nothing_positioned(s, before, "clicks on the picker, placement keys and pad commands before a new game")

    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: s.window(PICKER)["visible"], 8, "the picker after a new game")
    bar = s.toolbar_buttons()
    s.expect_eq((True, True), (bar[TB_SHOW_PICKER]["pressed"], bar[TB_SHOW_PICKER]["checked"]),
                "toolbar button 108 (pressed, checked) with the picker open")
    s.expect_eq("0", state(s)["BattleOn"], "BattleOn while the fleet is placed by hand")

    # The counts: the same digit on both rows, four different digits.
    counts = picker_counts(s)
    for t in range(4):
        s.expect(counts[t] == counts[4 + t], f"count of length slot {t}: the same digit upright and lying")
        s.expect(any(LINES in row for row in counts[t]), f"count of length slot {t} is drawn")
    s.expect_eq(4, len(set(counts[:4])), "four different counts for the four lengths")
    first_counts = counts

    # Keys while choosing, no ship positioned: nothing happens.
    before = s.state()
    s.post(None, driver.WM_USER, 0, 0, hwnd=main["hwnd"])
    press(s, "Right", "Up", "KP_5", "Return")
    input_handled(s)
    nothing_positioned(s, before, "placement keys while choosing")

    chosen = {4: 0, 3: 0, 2: 0, 1: 0}
    all_squares = set()
    zero = None
    for n, (length, silhouette, turns, x, y, vertical) in enumerate(KEY_FLEET):
        k = fleet_index(chosen[length], length)
        chosen[length] += 1
        choose(s, silhouette, length, silhouette < 4)
        if n == 0:
            s.expect_eq(KEYS_HINT, s.status_texts()[0], "status hint while positioning")
            bar = s.toolbar_buttons()
            s.expect_eq((True, True), (bar[TB_SHOW_ARROWS]["pressed"], bar[TB_SHOW_ARROWS]["checked"]),
                        "toolbar button 103 (pressed, checked) while positioning")
        if n == 3:
            # The picker ignores clicks while a ship is being positioned.
            click_silhouette(s, LYING[2])
            press(s, "Right")
            wait_image(s, rect(1, 0, 1, 1), "the one-square ship after a click on the picker and a step")
            s.expect_eq(6, count_pad_buttons(s), "pad buttons after a click on the picker while positioning")
            press(s, "Left")
            wait_image(s, rect(0, 0, 1, 1), "the one-square ship back at А1")
        keys = ["KP_5"] * turns + ["Right"] * x + ["Down"] * y
        if keys:
            press(s, *keys)
        w, h = (1, length) if vertical else (length, 1)
        wait_image(s, rect(x, y, w, h), f"ship {k} moved by the keys")
        press(s, "Return")
        squares = ship_squares(x, y, length, vertical)
        wait_placed(s, k, squares, f"ship {k} placed with Enter")
        all_squares |= squares
        if n < 9:
            s.wait_for(lambda: not s.window(ARROWS)["visible"], 5, "the pad to hide after a placed ship")
            s.expect_eq(0, count_pad_buttons(s), "pad buttons after a placed ship")
            bar = s.toolbar_buttons()
            s.expect_eq((False, False), (bar[TB_SHOW_ARROWS]["pressed"], bar[TB_SHOW_ARROWS]["checked"]),
                        "toolbar button 103 after a placed ship")
        # Each count goes down as its ships are placed: the picker then shows
        # the digit it showed for the next longer length at the start.
        if n == 0:
            s.wait_for(lambda: picker_counts(s)[0] != first_counts[0], 5, "the four-square count to change")
            zero = picker_counts(s)[0]
            s.expect(zero not in first_counts[:4], "the count 0 differs from 1, 2, 3 and 4")
        elif n in (1, 2, 3):
            slot = n
            s.wait_for(lambda: picker_counts(s)[slot] == first_counts[slot - 1], 5,
                       f"count of length slot {slot} after one ship placed (the digit shown for slot {slot - 1})")
            got = picker_counts(s)
            s.expect(got[slot] == got[4 + slot], f"count of slot {slot} the same on both rows after a placement")
        elif n == 4:
            s.wait_for(lambda: picker_counts(s)[1] == zero, 5, "the three-square count 0")
            # A third three-square ship cannot be chosen, upright or lying.
            before = s.state()
            click_silhouette(s, UPRIGHT[3])
            click_silhouette(s, LYING[3])
            input_handled(s)
            nothing_positioned(s, before, "a third three-square choice")

    wait_battle(s)
    st = state(s)
    s.expect_eq("1", st["BattleOn"], "BattleOn after the tenth ship")
    s.expect_eq(20, len({p for p in st["ComputerFleet"].replace(";", ",").split(",")}),
                "the computer's fleet is arranged (20 distinct squares)")
    s.expect(not s.window(PICKER)["visible"], "the picker hides after the tenth ship")
    s.expect(not s.window(ARROWS)["visible"], "the pad hides after the tenth ship")
    bar = s.toolbar_buttons()
    s.expect_eq((False, False), (bar[TB_SHOW_PICKER]["pressed"], bar[TB_SHOW_PICKER]["checked"]),
                "toolbar button 108 after the tenth ship")
    check_board_after_placement(s, all_squares)
    check_ship_outline(s, 6, 9, 4, False)
    check_ship_outline(s, 0, 0, 3, True)

    # After the tenth ship the picker takes no choice.
    before = s.state()
    click_toolbar(s, TB_SHOW_PICKER)
    s.wait_for(lambda: s.window(PICKER)["visible"], 8, "the picker shown again by its toolbar button")
    for silhouette in (UPRIGHT[1], LYING[4]):
        click_silhouette(s, silhouette)
    input_handled(s)
    nothing_positioned(s, before, "clicks on the picker after the tenth ship")

    # With AutoArrange on, a new game arranges the fleet and closes the picker,
    # also when the game before was still choosing its ships.
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: state(s)["BattleOn"] == "0", 10, "a new hand-placed game")
    computer_fleet = st["ComputerFleet"]
    s.command(CMD_AUTO_ARRANGE)
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: state(s)["BattleOn"] == "1" and state(s)["ComputerFleet"] != computer_fleet, 10,
               "a new game with both fleets arranged")
    s.expect(not s.window(PICKER)["visible"], "the picker after a new game with AutoArrange on")
    before = s.state()
    click_toolbar(s, TB_SHOW_PICKER)
    s.wait_for(lambda: s.window(PICKER)["visible"], 8, "the picker shown by its toolbar button")
    for silhouette in (UPRIGHT[4], LYING[2], UPRIGHT[1]):
        click_silhouette(s, silhouette)
    input_handled(s)
    nothing_positioned(s, before, "clicks on the picker with AutoArrange on")


def test_limits_touching_mouse_and_pad(s):
    start_hand_placed(s)
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: s.window(PICKER)["visible"], 8, "the picker after a new game")
    first_counts = picker_counts(s)

    # A new game in the middle of positioning leaves one clean pad.
    choose(s, LYING[2], 2, False)
    click_pad(s, PAD_RIGHT)
    wait_image(s, rect(1, 0, 2, 1), "the two-square ship after the pad's right button")
    s.command(CMD_NEW_GAME)
    s.wait_for(lambda: count_pad_buttons(s) == 0, 8, "the pad's buttons to go with the new game")
    s.wait_for(lambda: ship_image(s) is None, 5, "the dropped ship's image to go with the new game")
    s.expect(not s.window(ARROWS)["visible"], "the pad hides with the new game")
    s.wait_for(lambda: s.window(PICKER)["visible"], 8, "the picker after the second new game")
    s.expect(picker_counts(s) == first_counts, "the picker's counts after a new game in mid-positioning")
    choose(s, UPRIGHT[4], 4, True)
    s.expect_eq(6, count_pad_buttons(s), "pad buttons after choosing again (one set, not two)")

    # The four-square ship at А1, upright, against every limit.
    click_pad(s, PAD_LEFT)
    expect_box(s, PAST_LEFT, "a step left at column А")
    wait_image(s, rect(0, 0, 1, 4), "the ship after the refused step left")
    click_pad(s, PAD_UP)
    expect_box(s, PAST_EDGE, "a step up at row 1")
    wait_image(s, rect(0, 0, 1, 4), "the ship after the refused step up")
    click_pad(s, PAD_TURN)
    wait_image(s, rect(0, 0, 4, 1), "the ship turned at А1 by the pad")
    press(s, *["Right"] * 6)
    wait_image(s, rect(6, 0, 4, 1), "the lying ship at columns Ж-К")
    click_pad(s, PAD_RIGHT)
    expect_box(s, PAST_EDGE, "a step right at column К")
    wait_image(s, rect(6, 0, 4, 1), "the ship after the refused step right")
    press(s, *["Down"] * 9)
    wait_image(s, rect(6, 9, 4, 1), "the lying ship in row 10")
    click_pad(s, PAD_DOWN)
    expect_box(s, PAST_EDGE, "a step down at row 10")
    click_pad(s, PAD_TURN)
    expect_box(s, TURN_PAST, "a turn of the lying ship in row 10")
    wait_image(s, rect(6, 9, 4, 1), "the ship after the refused turn")
    press(s, *["Up"] * 9)
    wait_image(s, rect(6, 0, 4, 1), "the lying ship back in row 1")
    press(s, "KP_5")
    wait_image(s, rect(6, 0, 1, 4), "the ship turned upright at column Ж by the key")
    press(s, "Right")
    wait_image(s, rect(7, 0, 1, 4), "the upright ship at column З")
    click_pad(s, PAD_TURN)
    expect_box(s, TURN_PAST, "a turn of the upright ship at column З")
    wait_image(s, rect(7, 0, 1, 4), "the ship after the refused turn at column З")
    press(s, "Right", "Right")
    click_pad(s, PAD_RIGHT)
    expect_box(s, PAST_EDGE, "a step right of the upright ship at column К")
    press(s, *["Down"] * 6)
    wait_image(s, rect(9, 6, 1, 4), "the upright ship at rows 7-10 of column К")
    press(s, "Down")
    expect_box(s, PAST_EDGE, "a key step down at row 10")
    press(s, "Left")
    wait_image(s, rect(8, 6, 1, 4), "the ship after a key step left")
    press(s, "Right")
    wait_image(s, rect(9, 6, 1, 4), "the ship back at column К")
    click_pad(s, PAD_DONE)
    wait_placed(s, 0, ship_squares(9, 6, 4, True), "the four-square ship placed with the pad")

    # A ship touching a placed one at a corner is refused and stays movable.
    placed = ship_squares(9, 6, 4, True)
    choose(s, LYING[3], 3, False)
    click_square(s, 6, 5)  # drags the ship to Ж6 and confirms it there
    expect_box(s, TOUCHING, "a ship touching another at a corner")
    wait_image(s, rect(6, 5, 3, 1), "the refused ship stays where it was")
    s.expect_eq(6, count_pad_buttons(s), "pad buttons after a refused confirmation")
    s.expect(human_ship(state(s), 1) == {(0, 0)}, "the refused ship is not recorded",
             sorted(human_ship(state(s), 1)))
    press(s, "Up")
    wait_image(s, rect(6, 4, 3, 1), "the refused ship moved up by a key")
    press(s, "Return")
    wait_placed(s, 1, ship_squares(6, 4, 3, False), "the three-square ship placed after the move")
    placed |= ship_squares(6, 4, 3, False)

    # The rest with the mouse and the pad.
    # Three squares, chosen lying, turned upright by a right click at А1.
    choose(s, LYING[3], 3, False)
    click_square(s, 0, 0, button=3)
    wait_image(s, rect(0, 0, 1, 3), "the ship turned by a right click")
    click_square(s, 0, 0)
    wait_placed(s, 2, ship_squares(0, 0, 3, True), "the ship placed by a left click")
    placed |= ship_squares(0, 0, 3, True)

    # The pad's close box hides it; the mouse still places the ship.
    choose(s, LYING[2], 2, False)
    x, y = s.hit_point(s.window(ARROWS), driver.HTCLOSE)
    s.click_screen(x, y)
    s.wait_for(lambda: not s.window(ARROWS)["visible"], 8, "the pad to hide by its close box")
    bar = s.toolbar_buttons()
    s.expect_eq((False, False), (bar[TB_SHOW_ARROWS]["pressed"], bar[TB_SHOW_ARROWS]["checked"]),
                "toolbar button 103 after the pad's close box")
    click_square(s, 2, 0)
    wait_placed(s, 3, ship_squares(2, 0, 2, False), "a ship placed by the mouse with the pad hidden")
    placed |= ship_squares(2, 0, 2, False)

    for k, (silhouette, x, y, length, vertical) in enumerate(
            [(UPRIGHT[2], 5, 0, 2, True), (LYING[2], 0, 9, 2, False)], start=4):
        choose(s, silhouette, length, vertical)
        click_square(s, x, y)
        wait_placed(s, k, ship_squares(x, y, length, vertical), f"ship {k} placed by the mouse")
        placed |= ship_squares(x, y, length, vertical)

    # One square with the pad: turning it changes nothing and shows nothing.
    choose(s, UPRIGHT[1], 1, True)
    click_pad(s, PAD_TURN)
    click_pad(s, PAD_RIGHT)
    wait_image(s, rect(1, 0, 1, 1), "the one-square ship after a turn and a step right")
    s.expect_eq([], error_boxes(s), "message boxes after turning a one-square ship")
    for command in (PAD_RIGHT, PAD_DOWN, PAD_DOWN):
        click_pad(s, command)
    wait_image(s, rect(2, 2, 1, 1), "the one-square ship moved by the pad")
    click_pad(s, PAD_DONE)
    wait_placed(s, 6, {(2, 2)}, "a one-square ship placed with the pad")
    placed |= {(2, 2)}

    for k, (silhouette, x, y) in enumerate([(LYING[1], 2, 4), (UPRIGHT[1], 4, 6), (LYING[1], 6, 8)], start=7):
        choose(s, silhouette, 1, True)
        click_square(s, x, y)
        wait_placed(s, k, {(x, y)}, f"ship {k} placed by the mouse")
        placed |= {(x, y)}

    wait_battle(s)
    s.expect_eq(0, count_pad_buttons(s), "pad buttons after the tenth ship")
    check_board_after_placement(s, placed)
    check_ship_outline(s, 9, 6, 4, True)
    check_ship_outline(s, 6, 4, 3, False)


if __name__ == "__main__":
    driver.main([
        test_fleet_placed_with_the_keys,
        test_limits_touching_mouse_and_pad,
    ])
