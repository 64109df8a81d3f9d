"""The frame's start-up under Wine: the settings key (first run, repairs,
saving, the fallback to the current user, bad values), the single instance,
"-noDefine", the children and their arrangement, the status-bar parts, and
the click filter of the message loop with the pause that keeps the window
answering during the computer's turn."""
import os
import random
import struct
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from frame_helpers import (  # noqa: E402
    ARROWS, COMMENTATOR, COMPUTER_BOARD, HUMAN_BOARD, MAIN, PICKER, SC_MAXIMIZE, STATUSBAR, TOOLBAR,
    WINE_CELL, WM_NULL, WM_RBUTTONDOWN, WM_SYSCOMMAND, board_size, by_class, click_square,
    cleaned, fleet_squares, parse_state, pointer, relaunch, start, start_second_copy, wait_exit,
    window_close)

REG_SZ, REG_BINARY, REG_DWORD = driver.REG_SZ, driver.REG_BINARY, driver.REG_DWORD

# What a first run writes, in its order.
FIRST_RUN = [
    ("ProphyUser", 0), ("ManWon", 0), ("CompWon", 0), ("Salvo", 0), ("FirstShoot", 1), ("AutoArrange", 1),
    ("Reshot", 1), ("RussianFlag", 1), ("TimeOut", 300), ("BackGround", 0x800080), ("BattleField", 0x008080),
    ("Ships", 0x7F7F7F), ("Lines", 0), ("SunkShip", 0x7F7F7F),
]
DWORD_VALUES = [name for name, _ in FIRST_RUN] + ["RectSize", "PRectSize"]
# Type and size of every value as the two save passes write it.
SAVED_FORM = dict({name: (REG_DWORD, 4) for name in DWORD_VALUES},
                  WinPos=(REG_BINARY, 100), FontInfo=(REG_BINARY, 192), FontStringSize=(REG_BINARY, 12),
                  FontComment=(REG_SZ, 32), FontComp=(REG_SZ, 32), FontHum=(REG_SZ, 32))
FLAGS = ["Salvo", "FirstShoot", "AutoArrange", "Reshot", "RussianFlag"]

# The children in the order of the WinPos record.
WINPOS_ORDER = [COMPUTER_BOARD, HUMAN_BOARD, ARROWS, PICKER, COMMENTATOR]

# The toolbar's 25 entries: (image, command), None for a separator.
TOOLBAR_TABLE = [
    (0, 303), None, (1, 105), (2, 106), (3, 40041), (4, 103), (5, 108), (6, 40042), None, (9, 308), None,
    (11, 40036), None, (13, 40034), (14, 40035), None, (17, 40011), (18, 40012), (19, 40030), None,
    (15, 40014), (16, 40015), (7, 40031), None, (8, 301),
]
CHECK_BUTTONS = {105, 106, 40041, 103, 108, 308, 40036, 40034, 40035}
TBSTYLE_CHECK = 0x02

WS_EX_WINDOWEDGE = 0x100
WS_BORDER = 0x00800000


def dwords(values):
    """{name: (type, size, value)} of the values of the key."""
    return {n: (v["type"], v["size"], v.get("dword")) for n, v in (values or {}).items()}


def expect_first_run_values(s, values, what, **changed):
    want = {name: (REG_DWORD, 4, changed.get(name, value)) for name, value in FIRST_RUN}
    s.expect_eq(want, dwords(values), what)


def expect_saved_form(s, values, what):
    """Every value the two passes write is there with the type and size of
    its table, the flags are 0 or 1, and the records are consistent."""
    values = values or {}
    got = {n: (values[n]["type"], values[n]["size"]) for n in SAVED_FORM if n in values}
    s.expect_eq(SAVED_FORM, got, f"{what}: types and sizes of the saved values")
    extra = sorted(set(values) - set(SAVED_FORM))
    s.expect_eq([], extra, f"{what}: values beside those of the table")
    for name in FLAGS:
        if name in values:
            s.expect(values[name]["dword"] in (0, 1), f"{what}: {name} saved as 0 or 1", values[name]["dword"])
    if "WinPos" in values and values["WinPos"]["size"] == 100:
        pos = bytes.fromhex(values["WinPos"]["hex"])
        s.expect_eq((1, b"\0\0\0"), (pos[96], pos[97:100]), f"{what}: PositionsValid and padding of WinPos")
    if "FontInfo" in values and values["FontInfo"]["size"] == 192:
        info = bytes.fromhex(values["FontInfo"]["hex"])
        for name, record in (("FontComment", 0), ("FontComp", 64), ("FontHum", 124)):
            face = info[record + 28:record + 60]
            s.expect(b"\0" in face, f"{what}: the face name of the {name} record is NUL-terminated", face)
            if name in values and values[name]["size"] == 32:
                s.expect_eq(face.hex(), values[name]["hex"], f"{what}: {name} is the record's face-name field")


def rect_size(r):
    return r[2] - r[0], r[3] - r[1]


def child_rects(s):
    """Rectangles of the five movable children in the frame's client area."""
    w = by_class(s)
    return {cls: w[cls]["rect_in_parent"] for cls in WINPOS_ORDER}


def expected_arrangement(frame_client_width, toolbar_bottom, c, sizes, computer_width_before):
    """The default arrangement: commentator centred under the toolbar, the
    boards 4 c apart under it, picker and pad under the boards."""
    half = frame_client_width // 2
    cw, ch = sizes[COMMENTATOR]
    bw, bh = board_size(c)
    com = [half - cw // 2, toolbar_bottom, half - cw // 2 + cw, toolbar_bottom + ch]
    top = com[3]
    human = [half + 2 * c, top, half + 2 * c + bw, top + bh]
    cx = half - 2 * c - computer_width_before
    computer = [cx, top, cx + bw, top + bh]
    pw, ph = sizes[PICKER]
    aw, ah = sizes[ARROWS]
    return {COMMENTATOR: com, HUMAN_BOARD: human, COMPUTER_BOARD: computer,
            PICKER: [cx, top + bh, cx + pw, top + bh + ph],
            ARROWS: [human[0], top + bh, human[0] + aw, top + bh + ah]}


def expect_default_arrangement(s, c, what, computer_width_before=None):
    w = by_class(s)
    frame_width = w[MAIN]["client"][2]
    sizes = {cls: rect_size(w[cls]["rect_in_parent"]) for cls in (COMMENTATOR, PICKER, ARROWS)}
    if computer_width_before is None:
        computer_width_before = board_size(c)[0]
    want = expected_arrangement(frame_width, w[TOOLBAR]["rect_in_parent"][3], c, sizes, computer_width_before)
    s.expect_eq(want, child_rects(s), what)


def status_edges(s):
    return [p["right"] for p in s.statusbar()["parts"]]


def winpos_record(rects, main):
    data = b"".join(struct.pack("<4i", *rects[cls]) for cls in WINPOS_ORDER)
    return data + struct.pack("<4i", *main) + b"\x01\0\0\0"


# ---- first run, the children, the status bar ------------------------------------------------


def test_first_run_children_and_status_bar(s):
    """A first run: the fourteen values, the children as created for c = 17
    and arranged, the toolbar and status bar; then the status parts of a
    1024-pixel-wide client, and what the close saves."""
    start(s)
    s.wait_window(MAIN)
    expect_first_run_values(s, s.reg("HKLM"), "values after the first start")
    s.expect_eq(None, s.reg("HKCU"), "no key under the current user")

    c = WINE_CELL
    bw, bh = board_size(c)
    w = by_class(s)
    main = w[MAIN]
    s.expect_eq("Duvirud ida для Win95", main["text"], "title")
    s.expect_eq(0x02CF0000, main["style"] & 0x02CF0000, "frame style bits WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN")
    # class: (caption, style, exstyle, size, visible, parent)
    want = {
        ARROWS: ("Вперед к победе!", 0x44C80000, 0, (int(11.5 * c), 8 * c), False, MAIN),
        PICKER: ("Выбери корабль.", 0x44C80000, 0, (int(10.5 * c), int(6.5 * c)), False, MAIN),
        COMMENTATOR: ("Комментатор.", 0x54C80000, 0, (25 * c, 3 * c), True, MAIN),
        "Static": ("Приветик, давно не виделись!", 0x50000001, 0, (25 * c, 3 * c), True, COMMENTATOR),
        HUMAN_BOARD: ("Корабли человека", 0x54C00000, 0x380, (bw, bh), True, MAIN),
        COMPUTER_BOARD: ("Корабли компьютера", 0x54C00000, 0x380, (bw, bh), True, MAIN),
    }
    for cls, (caption, style, exstyle, size, visible, parent) in want.items():
        got = w.get(cls)
        if not s.expect(got is not None, f"a window of class {cls}"):
            continue
        s.expect_eq(caption, got["text"], f"{cls}: caption")
        s.expect_eq(style, got["style"], f"{cls}: style")
        # Wine adds WS_EX_WINDOWEDGE to captioned children.
        s.expect_eq(exstyle, got["exstyle"] & ~WS_EX_WINDOWEDGE if exstyle == 0 else got["exstyle"],
                    f"{cls}: extended style")
        s.expect_eq(size, rect_size(got["rect"]), f"{cls}: size")
        s.expect_eq(visible, got["visible"], f"{cls}: visible at start")
        s.expect_eq(w[parent]["hwnd"], got["parent"], f"{cls}: parent")
    s.expect_eq([0, 0, 25 * c, 3 * c], w["Static"]["rect_in_parent"], "the commentary text fills the commentator")
    for cls in (HUMAN_BOARD, COMPUTER_BOARD, TOOLBAR, STATUSBAR):
        s.expect_eq(main["hwnd"], w[cls]["parent"], f"{cls} is a child of the frame")
    s.expect_eq(0x50800120, w[TOOLBAR]["style"] & 0x50800120, "toolbar style bits")
    s.expect_eq(151, w[TOOLBAR]["id"], "toolbar control id")
    # comctl32 drops WS_BORDER from a status bar.
    s.expect_eq(0x50000100, w[STATUSBAR]["style"] & 0x50800100 & ~WS_BORDER, "status bar style bits")
    s.expect_eq(1, w[STATUSBAR]["id"], "status bar control id")
    s.expect_eq("Здравствуйте", w[STATUSBAR]["text"], "status bar window text")

    expect_default_arrangement(s, c, "arrangement at the first start")
    # The commentary in red on the dark-green texture, no frame colour behind it.
    com = w[COMMENTATOR]
    rows = s.pixels(w["Static"], 0, 0, com["client"][2], com["client"][3])
    colours = [p for row in rows for p in row]
    s.expect(colours.count((255, 0, 0)) > 30, "red commentary text", colours.count((255, 0, 0)))
    s.expect_eq(0, colours.count((128, 0, 128)), "no frame background inside the commentator")

    bar = s.toolbar()
    got = [None if b["separator"] else (b["image"], b["command"]) for b in bar["buttons"]]
    s.expect_eq(TOOLBAR_TABLE, got, "toolbar entries (image, command)")
    buttons = s.toolbar_buttons()
    styles = {cmd: bool(b["style"] & TBSTYLE_CHECK) for cmd, b in buttons.items()}
    s.expect_eq({cmd: cmd in CHECK_BUTTONS for cmd in buttons}, styles, "check-style buttons")
    down = {cmd: (b["checked"], b["pressed"]) for cmd, b in buttons.items() if b["checked"] or b["pressed"]}
    # The boards and the commentator shown; auto-arrange on and human first
    # from the load; no level button down on a first run.
    s.expect_eq({105: (True, False), 106: (True, False), 40041: (True, False), 308: (True, True),
                 40034: (True, True)}, down, "toolbar buttons down (checked, pressed)")
    s.expect(all(b["enabled"] for b in buttons.values()), "every button enabled")

    width = main["client"][2]
    bar = s.statusbar()
    s.expect_eq([int(0.73 * width), int(0.865 * width), -1], [p["right"] for p in bar["parts"]],
                f"status parts of a {width}-pixel client")
    s.expect_eq(["Здравствуйте", "Компьютер:10", "Человек:10"], [p["text"] for p in bar["parts"]],
                "status texts")
    s.expect_eq([0, 0x200, 0x200], [p["flags"] & 0x200 for p in bar["parts"]], "SBT_POPOUT on parts 1 and 2")

    before = child_rects(s)
    # Maximized in the 1024-pixel desktop the client is 1024 wide.
    s.post(MAIN, WM_SYSCOMMAND, SC_MAXIMIZE)
    s.wait_for(lambda: s.window(MAIN)["client"][2] == 1024, 10, "a 1024-pixel-wide client")
    s.wait_for(lambda: status_edges(s) == [747, 885, -1], 10, "status parts ending at 747 and 885",)
    s.expect_eq(before, child_rects(s), "the children are not moved by a resize")
    s.expect_eq(["Здравствуйте", "Компьютер:10", "Человек:10"], s.status_texts(), "status texts after resize")

    s.post(MAIN, WM_SYSCOMMAND, 0xF120)  # SC_RESTORE
    s.wait_for(lambda: not s.window(MAIN)["zoomed"], 10, "the frame restored")
    rects = child_rects(s)
    main = s.window(MAIN)
    s.expect_eq(0, window_close(s), "exit code after WM_CLOSE")

    values = s.reg("HKLM")
    expect_saved_form(s, values, "after the first close")
    s.expect_eq({"RectSize": c, "PRectSize": c},
                {n: values[n]["dword"] for n in ("RectSize", "PRectSize") if n in values}, "cell size saved")
    s.expect_eq(winpos_record(rects, main["rect"]).hex(), values.get("WinPos", {}).get("hex"),
                "WinPos: the five children in client coordinates, the frame on screen, valid")
    info = bytes(60) + struct.pack("<I", 0x0000FF) + bytes(120) + struct.pack("<II", 0xFFFFFF, 0xFFFFFF)
    s.expect_eq(info.hex(), values.get("FontInfo", {}).get("hex"),
                "FontInfo of a first run: empty records, red commentator, white boards")
    s.expect_eq(bytes(12).hex(), values.get("FontStringSize", {}).get("hex"), "FontStringSize of a first run")
    expect_first_run_values(s, {n: values[n] for n, _ in FIRST_RUN if n in values}, "options saved unchanged")


# ---- repairs of a normal run ----------------------------------------------------------------


def test_key_with_only_the_level_is_repaired(s):
    """ProphyUser = 2 alone: the rest written with the repair values (TimeOut
    500), level 2 marked; the run itself pauses 300 ms, which the destroy pass
    saves."""
    s.reg_set_dword("ProphyUser", 2)
    start(s)
    s.wait_window(MAIN)
    values = s.reg("HKLM")
    expect_first_run_values(s, values, "values after the repair", ProphyUser=2, TimeOut=500)
    items = s.menu_items()
    s.expect_eq({40011: False, 40012: False, 40030: True}, {i: items[i]["checked"] for i in (40011, 40012, 40030)},
                "menu marks of the levels")
    buttons = s.toolbar_buttons()
    s.expect_eq({40011: (False, False), 40012: (False, False), 40030: (True, True)},
                {i: (buttons[i]["checked"], buttons[i]["pressed"]) for i in (40011, 40012, 40030)},
                "level buttons (checked, pressed)")
    s.expect_eq({308: True, 40036: False, 40037: True, 40034: True, 40035: False},
                {i: items[i]["checked"] for i in (308, 40036, 40037, 40034, 40035)}, "option marks")
    s.expect_eq(0, window_close(s), "exit code")
    values = s.reg("HKLM")
    s.expect_eq((300, 2), (values["TimeOut"]["dword"], values["ProphyUser"]["dword"]),
                "TimeOut and ProphyUser saved (the pause this run used, the level)")
    expect_saved_form(s, values, "after the close")


def test_odd_level_and_first_shooter_survive(s):
    """ProphyUser = 5 becomes the level as it is (no level button down, the
    menu's own marks stay) and is saved back; FirstShoot = 2 means the
    computer opens and is saved back as 0."""
    s.reg_set_dword("ProphyUser", 5)
    s.reg_set_dword("FirstShoot", 2)
    s.reg_set_dword("TimeOut", 0)
    s.reg_set_dword("BackGround", 0x00A0B0C0)
    start(s)
    frame = s.wait_window(MAIN)
    s.wait_for(lambda: s.toolbar_buttons()[40035]["checked"], 10, "the computer-first button checked")
    s.expect_eq((0xC0, 0xB0, 0xA0), s.pixel(frame, frame["client"][2] - 30, frame["client"][3] - 60),
                "the frame's free area in the stored BackGround colour")
    items = s.menu_items()
    s.expect_eq({40034: False, 40035: True}, {i: items[i]["checked"] for i in (40034, 40035)},
                "first-shot menu marks")
    buttons = s.toolbar_buttons()
    s.expect_eq({40034: (False, False), 40035: (True, True), 40011: (False, False), 40012: (False, False),
                 40030: (False, False)},
                {i: (buttons[i]["checked"], buttons[i]["pressed"]) for i in (40034, 40035, 40011, 40012, 40030)},
                "first-shot and level buttons (checked, pressed)")
    # No marks change for an unknown level: the menu keeps those of its resource.
    s.expect_eq({40011: True, 40012: False, 40030: False}, {i: items[i]["checked"] for i in (40011, 40012, 40030)},
                "level marks of the menu as in the resource")
    s.expect_eq(5, s.reg("HKLM")["ProphyUser"]["dword"], "ProphyUser stays 5 in the key")

    # The computer opens the first game; level 5 shoots like the others.
    s.command(303)
    state = s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" else None)(parse_state(s.state())), 20,
                       "the battle to start")
    s.expect(state["ShotsAtHuman"].count("1") >= 1, "the computer has made its opening move",
             state["ShotsAtHuman"])
    # Only the first game of a run opens with the computer's move.
    s.command(303)
    state = s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" and st["ShotsAtHuman"] == "0" * 100
                                else None)(parse_state(s.state())), 20, "a second battle the human opens")
    s.expect_eq(0, window_close(s), "exit code")
    values = s.reg("HKLM")
    s.expect_eq((5, 0), (values["ProphyUser"]["dword"], values["FirstShoot"]["dword"]),
                "ProphyUser and FirstShoot saved back")


# ---- single instance ------------------------------------------------------------------------------


def test_second_copy_hands_over(s):
    """A second copy shows the first maximized and focused, touches nothing
    and ends with 0."""
    start(s)
    s.wait_window(MAIN)
    # Values a loading copy would write back at once.
    s.reg_delete("TimeOut")
    s.reg_delete("ManWon")
    s.reg_set_dword("ProphyUser", 7)
    before = {"HKLM": s.reg("HKLM"), "HKCU": s.reg("HKCU")}
    s.post(MAIN, WM_RBUTTONDOWN, 0, (300 << 16) | 600)
    s.wait_for(lambda: not s.window(MAIN)["visible"], 10, "the frame hidden by a right click")
    result = start_second_copy(s)
    s.expect_eq(0, wait_exit(s, result), "exit code of the second copy")
    main = s.wait_window(MAIN)
    s.expect(main["zoomed"], "the first copy is shown maximized")
    s.wait_for(lambda: s.gui()["focus"] == main["hwnd"], 10, "the first copy's frame to have the focus")
    frames = s.probe("windows", "--class", MAIN, "--top")
    s.expect_eq([s.pid], [f["pid"] for f in frames], "one frame, that of the first copy")
    s.expect_eq(before, {"HKLM": s.reg("HKLM"), "HKCU": s.reg("HKCU")}, "the registry byte for byte")
    s.expect(s.running(), "the first copy still runs")


# ---- "-noDefine" ---------------------------------------------------------------------------------


def grid_lines(s, board, c):
    """x of the black pixels in the middle of the first row of a board."""
    row = s.pixels(board, 0, c // 2, 10 * c, 1)[0]
    return [x for x, p in enumerate(row) if p == (0, 0, 0)]


def expect_cell_size(s, c, what, created=WINE_CELL):
    w = by_class(s)
    for cls in (COMPUTER_BOARD, HUMAN_BOARD):
        s.expect_eq(board_size(c), rect_size(w[cls]["rect"]), f"{what}: size of {cls}")
    # Created before the stored cell size was read: sized from the measured one.
    s.expect_eq((25 * created, 3 * created), rect_size(w[COMMENTATOR]["rect"]), f"{what}: commentator size")
    s.expect_eq((int(10.5 * created), int(6.5 * created)), rect_size(w[PICKER]["rect"]), f"{what}: picker size")
    s.expect_eq((int(11.5 * created), 8 * created), rect_size(w[ARROWS]["rect"]), f"{what}: pad size")
    want = list(range(0, 10 * c, c))
    seen = []

    def drawn():
        seen[:] = grid_lines(s, w[COMPUTER_BOARD], c)
        return seen == want
    try:
        s.wait_for(drawn, 10, "the board to be drawn")
    except driver.Failed:
        pass
    s.expect_eq(want, seen, f"{what}: grid lines {c} pixels apart")


def test_no_define_word(s):
    """"-noDefine" takes the cell size from RectSize, only as an exact word
    and only when RectSize is stored."""
    s.reg_set_dword("RectSize", 25)
    start(s, "-noDefine")
    s.wait_window(MAIN)
    expect_cell_size(s, 25, "-noDefine with RectSize 25")
    # The computer's board was 17-based when the arrangement measured it.
    expect_default_arrangement(s, 25, "arrangement at c = 25", computer_width_before=board_size(WINE_CELL)[0])
    arranged = child_rects(s)
    s.expect_eq(0, window_close(s), "exit code")
    values = s.reg("HKLM")
    s.expect_eq((25, 25), (values["RectSize"]["dword"], values["PRectSize"]["dword"]), "cell size saved")

    relaunch(s, "-nodefine", "x-noDefine", "-noDefine2", "/noDefine")
    s.wait_window(MAIN)
    expect_cell_size(s, WINE_CELL, "near misses of the word")
    expect_default_arrangement(s, WINE_CELL, "arrangement for a cell size unlike PRectSize")

    # Ended without saving, so RectSize and PRectSize are still 25.
    relaunch(s, "first", "-noDefine", "last")
    s.wait_window(MAIN)
    expect_cell_size(s, 25, "-noDefine among other words")
    s.expect_eq(arranged, child_rects(s), "positions of the close restored for the same cell size")

    s.reg_delete("RectSize")
    relaunch(s, "-noDefine")
    s.wait_window(MAIN)
    expect_cell_size(s, WINE_CELL, "-noDefine without RectSize")


# ---- positions ----------------------------------------------------------------------------------------


def drag(s, frm, to):
    """Drags with the left button between two desktop points."""
    ox, oy = s.desktop_origin()
    if pointer(s) == (ox + frm[0], oy + frm[1]):
        s._xdotool("mousemove", "--sync", ox + frm[0] + 3, oy + frm[1] + 3)
    s._xdotool("mousemove", "--sync", ox + frm[0], oy + frm[1], "mousedown", 1)
    for f in (0.3, 0.6, 1.0):
        x = frm[0] + int((to[0] - frm[0]) * f)
        y = frm[1] + int((to[1] - frm[1]) * f)
        s._xdotool("mousemove", "--sync", ox + x, oy + y)
    s._xdotool("mouseup", 1)


def test_positions_restored_and_rearranged(s):
    """Stored positions for the same cell size are restored exactly; command
    40042 arranges afresh; a drag survives a close and a restart; positions
    stored for another cell size are not used."""
    stored = {COMPUTER_BOARD: [20, 300, 214, 511], HUMAN_BOARD: [500, 250, 694, 461],
              ARROWS: [250, 300, 445, 436], PICKER: [600, 40, 778, 150], COMMENTATOR: [10, 40, 435, 91]}
    main_rect = [30, 20, 830, 620]
    s.reg_set("WinPos", REG_BINARY, winpos_record(stored, main_rect))
    s.reg_set_dword("PRectSize", WINE_CELL)
    start(s)
    s.wait_window(MAIN)
    s.expect_eq(stored, child_rects(s), "children restored to the stored rectangles")
    s.expect_eq(main_rect, s.window(MAIN)["rect"], "frame restored to its stored rectangle")

    # Show the pad, so that the arrangement moves a shown and a hidden window.
    s.click(s.window(TOOLBAR), *button_centre(s, 103))
    s.wait_for(lambda: s.window(ARROWS)["visible"], 10, "the pad shown by button 103")
    s.command(40042)
    s.wait_for(lambda: child_rects(s)[COMMENTATOR] != stored[COMMENTATOR], 10, "the arrangement")
    expect_default_arrangement(s, WINE_CELL, "arrangement by command 40042")
    s.expect_eq(main_rect, s.window(MAIN)["rect"], "the frame is not moved by the arrangement")

    # Drag the commentator by its caption.
    com = s.window(COMMENTATOR)
    grip = (com["rect"][0] + 60, com["rect"][1] + 6)
    drag(s, grip, (grip[0] - 70, grip[1] + 300))
    s.wait_for(lambda: s.window(COMMENTATOR)["rect"][1] > com["rect"][1] + 100, 10, "the commentator dragged")
    moved = s.window(COMMENTATOR)
    rows = s.pixels(s.window("Static"), 0, 0, moved["client"][2], moved["client"][3])
    colours = [p for row in rows for p in row]
    s.expect(colours.count((255, 0, 0)) > 30 and (128, 0, 128) not in colours,
             "the moved commentator drawn whole: red text, no frame colour", colours.count((255, 0, 0)))
    rects = child_rects(s)
    frame = s.window(MAIN)["rect"]
    s.expect_eq(0, window_close(s), "exit code")
    relaunch(s)
    s.wait_window(MAIN)
    s.expect_eq(rects, child_rects(s), "children where they were at the close")
    s.expect_eq(frame, s.window(MAIN)["rect"], "frame where it was at the close")

    s.reg_set("WinPos", REG_BINARY, winpos_record(stored, main_rect))
    s.reg_set_dword("PRectSize", WINE_CELL + 1)
    relaunch(s)
    s.wait_window(MAIN)
    expect_default_arrangement(s, WINE_CELL, "arrangement when PRectSize differs")


def button_centre(s, command):
    r = s.toolbar_buttons()[command]["rect"]
    return (r[0] + r[2]) // 2, (r[1] + r[3]) // 2


# ---- the key under the current user -----------------------------------------------------------


def test_settings_key_under_current_user(s):
    """Without the local machine the same key lives under the current user.
    (Started maximized: the frame takes the show command it is given.)"""
    start(s, env={"TRIVOK_SETTINGS_HKCU": "1"}, show=3)
    s.expect(s.wait_window(MAIN)["zoomed"], "the frame shown maximized as the launcher asked")
    s.expect_eq(None, s.reg("HKLM"), "no key under the local machine")
    expect_first_run_values(s, s.reg("HKCU"), "first-run values under the current user")
    s.command(40012)
    s.command(40036)
    s.wait_for(lambda: s.toolbar_buttons()[40036]["checked"], 10, "salvo on")
    s.expect_eq(0, window_close(s), "exit code")
    values = s.reg("HKCU")
    expect_saved_form(s, values, "saved under the current user")
    s.expect_eq((1, 1), (values["ProphyUser"]["dword"], values["Salvo"]["dword"]), "changed options saved")
    s.expect_eq(None, s.reg("HKLM"), "still no key under the local machine")

    relaunch(s, env={"TRIVOK_SETTINGS_HKCU": "1"})
    s.wait_window(MAIN)
    buttons = s.wait_for(lambda: (lambda b: b if b[40036]["checked"] else None)(s.toolbar_buttons()), 10,
                         "salvo on after the restart")
    s.expect_eq((True, 12), (buttons[40012]["pressed"], buttons[40036]["image"]),
                "level 1 and salvo read back from the current user's key")


# ---- the click filter and the live pause --------------------------------------------------------


def comment(s):
    static = s.window("Static")
    return static["text"] if static else None


def test_click_filter_and_live_pause(s):
    """Salvo, 1000 ms pauses: during the computer's turn the frame answers
    sent messages at once, a click on the computer's board is dropped, a click
    on the toolbar is not; a click after the turn is a shot."""
    for name, value in (("Salvo", 1), ("TimeOut", 1000), ("FirstShoot", 1), ("AutoArrange", 1)):
        s.reg_set_dword(name, value)
    start(s)
    s.wait_window(MAIN)
    s.command(303)
    state = s.wait_for(lambda: (lambda st: st if st["BattleOn"] == "1" else None)(parse_state(s.state())), 20,
                       "the battle to start")
    ships = set(fleet_squares(state, "ComputerFleet"))
    water = [(x, y) for x in range(10) for y in range(10) if (x, y) not in ships]
    # Water far from every ship, so that no ring marks touch the squares used later.
    random.Random(4).shuffle(water)
    board = s.window(COMPUTER_BOARD)
    toolbar, hide_commentator = s.window(TOOLBAR), button_centre(s, 40041)
    salvo, during, after = water[:5], water[5], water[6]
    for x, y in salvo:
        click_square(s, board, x, y)
    s.wait_for(lambda: (comment(s) or "").startswith("Мой ход"), 40, "the computer's turn (comment \"Мой ход\")")
    click_square(s, board, *during)
    s.click(toolbar, *hide_commentator)
    answers, commentator_shown = [], []
    while comment(s) and comment(s).startswith("Мой ход") and len(answers) < 8:
        answers.append(s.send(MAIN, WM_NULL, timeout_ms=2000))
        commentator_shown.append(s.window(COMMENTATOR)["visible"])
        time.sleep(0.2)
    # The pause takes no input: the toolbar click waits for the end of the turn.
    s.expect(all(commentator_shown), "the commentator stays shown during the turn", commentator_shown)
    driver.log(f"  answers during the turn (ms): {[round(a['elapsed_ms']) for a in answers]}")
    s.expect(len(answers) >= 3, "several messages sent during the computer's turn", len(answers))
    s.expect(all(a["ok"] for a in answers), "every sent message answered", answers)
    s.expect(max((a["elapsed_ms"] for a in answers), default=0) < 100, "answers within 100 ms",
             [a["elapsed_ms"] for a in answers])
    s.wait_for(lambda: (comment(s) or "").startswith("Ваш ход"), 60, "the end of the computer's turn")
    click_square(s, board, *after)
    state = s.wait_for(lambda: (lambda st: st if st["ShotsAtComputer"][after[0] * 10 + after[1]] == "1" else None)(
        parse_state(s.state())), 20, "the click after the turn to be taken as a shot")
    s.expect_eq("0", state["ShotsAtComputer"][during[0] * 10 + during[1]],
                f"square {during} clicked during the computer's turn is not shot")
    for x, y in salvo:
        s.expect_eq("1", state["ShotsAtComputer"][x * 10 + y], f"salvo shot at {(x, y)}")
    s.wait_for(lambda: not s.window(COMMENTATOR)["visible"], 10,
               "the toolbar click made during the turn to hide the commentator")
    s.expect(not s.toolbar_buttons()[40041]["checked"], "button 40041 released")


# ---- bad values in the key -------------------------------------------------------------------------

ALL_VALUES = list(SAVED_FORM)


def fuzz_value(rng, name):
    """One damaged value: (description, type, bytes) or None for missing."""
    t, size = SAVED_FORM[name]
    kind = rng.choice(["missing", "type", "size", "size", "random", "random"])
    if kind == "missing":
        return None
    if kind == "type":
        other = rng.choice([x for x in (REG_SZ, REG_BINARY, REG_DWORD, 7, 11, 0) if x != t])
        data = bytes(rng.randrange(256) for _ in range(size))
        return (f"type {other}", other, data)
    if kind == "size":
        n = rng.choice([0, 1, 2, 3, 5, 8, 11, 13, 31, 33, 59, 61, 99, 101, 150, 191, 193, 200])
        return (f"{n} bytes", t, bytes(rng.randrange(256) for _ in range(n)))
    n = rng.choice([size, size, rng.randrange(0, 201)])
    other = rng.choice([t, t, REG_SZ, REG_BINARY, REG_DWORD])
    return (f"random type {other}, {n} bytes", other, bytes(rng.randrange(256) for _ in range(n)))


# Cases chosen by hand before the random ones: counts above the face-name
# field, long and unterminated face names, an empty key, unusable cell sizes
# and positions. Each has a check of what the close saved.
def face(text):
    return text.ljust(32, b"\0").hex()


def fixed_cases():
    courier = b"Courier New".ljust(32, b"\0")
    record = struct.pack("<5i8B", -16, 0, 0, 0, 700, 1, 0, 0, 204, 0, 0, 0, 0) + courier
    info = record + struct.pack("<I", 0xFF0000) + record + record + struct.pack("<II", 0x00FF00, 0x0000FF)

    def long_faces(s, values, title):
        # A count above 32 or a value longer than the field leaves the face
        # name of FontInfo; a 32-byte value without NUL is cut to 31.
        s.expect_eq([face(b"Courier New"), face(b"Courier New"), face(b"Z" * 31)],
                    [values[n]["hex"] for n in ("FontComment", "FontComp", "FontHum")], f"{title}: face names")
        s.expect_eq(struct.pack("<3I", 150, 200, 32).hex(), values["FontStringSize"]["hex"],
                    f"{title}: counts become the stored sizes")
        s.expect_eq(info[:28].hex(), values["FontInfo"]["hex"][:56], f"{title}: the rest of a font record kept")
        s.expect_eq(info[184:].hex(), values["FontInfo"]["hex"][368:], f"{title}: the board text colours kept")

    def short_values(s, values, title):
        s.expect_eq([face(b"A" * 31), face(b"A" * 31), face(b"A" * 31)],
                    [values[n]["hex"] for n in ("FontComment", "FontComp", "FontHum")],
                    f"{title}: face names of FontInfo, cut to 31 characters")
        s.expect_eq(struct.pack("<3I", 5, 33, 200).hex(), values["FontStringSize"]["hex"],
                    f"{title}: counts of found values become their sizes, a missing one's stays")

    def face_of_31(s, values, title):
        s.expect_eq([face(b"N" * 31), face(b"Courier New"), face(b"Courier New")],
                    [values[n]["hex"] for n in ("FontComment", "FontComp", "FontHum")],
                    f"{title}: a 31-character face name read with count 32 survives")

    def empty_key(s, values, title):
        s.expect_eq({n: v for n, v in FIRST_RUN}, {n: values[n]["dword"] for n, _ in FIRST_RUN if n in values},
                    f"{title}: options as built in (the pause this run used was 300)")

    return [
        ("face names longer than their field", {
            "FontStringSize": ("counts 33, 200, 32", REG_BINARY, struct.pack("<3I", 33, 200, 32)),
            "FontInfo": ("valid records", REG_BINARY, info),
            "FontComment": ("150 bytes", REG_SZ, b"X" * 149 + b"\0"),
            "FontComp": ("200 bytes", REG_SZ, b"Y" * 199 + b"\0"),
            "FontHum": ("32 bytes, no NUL", REG_SZ, b"Z" * 32),
        }, [], long_faces),
        ("counts of 200 against short values", {
            "FontStringSize": ("counts 200, 200, 200", REG_BINARY, struct.pack("<3I", 200, 200, 200)),
            "FontInfo": ("every byte 0x41", REG_BINARY, bytes([0x41]) * 192),
            "FontComment": ("5 bytes", REG_SZ, b"Aria\0"),
            "FontComp": ("33 bytes", REG_SZ, b"Q" * 32 + b"\0"),
        }, [], short_values),
        ("a face name of 31 characters", {
            "FontStringSize": ("counts 32, 32, 32", REG_BINARY, struct.pack("<3I", 32, 32, 32)),
            "FontInfo": ("valid records", REG_BINARY, info),
            "FontComment": ("31 characters and NUL", REG_SZ, b"N" * 31 + b"\0"),
        }, [], face_of_31),
        ("an empty key", {"ProphyUser": None}, [], empty_key),
        ("cell size 0 under -noDefine, positions valid", {
            "RectSize": ("0", REG_DWORD, struct.pack("<I", 0)),
            "PRectSize": ("0", REG_DWORD, struct.pack("<I", 0)),
            "WinPos": ("all 0x7f", REG_BINARY, b"\x7f" * 96 + b"\x01\0\0\0"),
        }, ["-noDefine"], None),
        ("huge cell size under -noDefine", {
            "RectSize": ("0x7fffffff", REG_DWORD, struct.pack("<I", 0x7FFFFFFF)),
            "PRectSize": ("17", REG_DWORD, struct.pack("<I", WINE_CELL)),
            "WinPos": ("negative rectangles", REG_BINARY, struct.pack("<24i", *([-5000, -5000, -6000, -6000] * 6))
                       + b"\x01\0\0\0"),
        }, ["-noDefine"], None),
    ]


def random_cases(seed, count):
    rng = random.Random(seed)
    cases = []
    for i in range(count):
        damage = {}
        for name in ALL_VALUES:
            if rng.random() < 0.7:
                damage[name] = fuzz_value(rng, name)
        # Some runs restore the (damaged) positions for this cell size.
        if rng.random() < 0.5 and "PRectSize" not in damage:
            damage["PRectSize"] = ("17", REG_DWORD, struct.pack("<I", WINE_CELL))
        args = ["-noDefine"] if rng.random() < 0.4 else []
        cases.append((f"random case {i} of seed {seed}", damage, args, None))
    return cases


def test_fuzzed_settings_key(s):
    """Damaged values of every kind: the game starts, shows its frame, stays
    responsive, closes with 0, and what it saves is well formed."""
    seed = int(os.environ.get("TRIVOK_FUZZ_SEED", "1722"))
    cases = fixed_cases() + random_cases(seed, 8)
    first = True
    for title, damage, args, check in cases:
        s.reg_clear()
        # A key with something in it, so that the run is a normal one.
        s.reg_set_dword("Placeholder", 0)
        for name, value in damage.items():
            if value is not None:
                s.reg_set(name, value[1], value[2])
        s.reg_delete("Placeholder")
        tried = ", ".join(f"{n}: {'missing' if v is None else v[0]}" for n, v in damage.items())
        driver.log(f"  {title} {args}: {tried}")
        try:
            launch = start if first else relaunch
            first = False
            launch(s, *args)
            s.wait_window(MAIN, timeout=20)
            answer = s.send(MAIN, WM_NULL, timeout_ms=3000)
            s.expect(answer["ok"], f"{title}: the frame answers")
            s.expect_eq(3, len(s.status_texts()), f"{title}: the status bar has its three parts")
            s.expect_eq(0, window_close(s), f"{title}: exit code after WM_CLOSE")
        except driver.Failed as e:
            s.fail(f"{title}: {e}")
            continue
        values = s.reg("HKLM")
        expect_saved_form(s, values, title)
        if check and values:
            check(s, values, title)


if __name__ == "__main__":
    driver.main([
        cleaned(test_first_run_children_and_status_bar),
        cleaned(test_key_with_only_the_level_is_repaired),
        cleaned(test_odd_level_and_first_shooter_survive),
        cleaned(test_second_copy_hands_over),
        cleaned(test_no_define_word),
        cleaned(test_positions_restored_and_rearranged),
        cleaned(test_settings_key_under_current_user),
        cleaned(test_click_filter_and_live_pause),
        cleaned(test_fuzzed_settings_key),
    ])
