"""The release package: tools/dist.sh makes the zip from the built game; its
files, the exe's version information and manifest, and the unpacked game
started in a Wine prefix of its own (nothing of the suite's prefix helps it)
up to a first shot."""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402
from frame_helpers import (  # noqa: E402
    COMPUTER_BOARD, MAIN, WINE_CELL, board_size, click_square, parse_state)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RT_VERSION, RT_MANIFEST = 16, 24
ASM = "{urn:schemas-microsoft-com:asm.v1}"
ASM3 = "{urn:schemas-microsoft-com:asm.v3}"
with open(os.path.join(ROOT, "resources", "version.rc"), encoding="utf-8") as f:
    VERSION = re.search(r'TRIVOK_VERSION_TEXT\s+"([^"]+)"', f.read()).group(1)

_package = {}


def package(s):
    """The zip that tools/dist.sh makes from the exe under test, unpacked
    once per run: {"work": its folder, "zip": its path, "names": entries}."""
    if not _package:
        work = tempfile.mkdtemp(prefix="trivok-release-")
        out = subprocess.run(["bash", os.path.join(ROOT, "tools", "dist.sh"), s.opt.exe, work],
                             capture_output=True, text=True, timeout=120)
        if out.returncode != 0:
            raise driver.Failed(f"tools/dist.sh failed: {out.stderr.strip()}")
        path = out.stdout.strip().splitlines()[-1]
        with zipfile.ZipFile(path) as z:
            z.extractall(work)
            _package.update(work=work, zip=path, names=z.namelist())
    return _package


def unpacked(s, name):
    """Path of a file in the package's folder."""
    return os.path.join(package(s)["work"], f"Trivok-{VERSION}", name)


def pe_resources(data):
    """{(type, name, language): bytes} of a PE file's numbered resources."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise driver.Failed("not a PE file")
    sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
    optional = pe + 24
    if struct.unpack_from("<H", data, optional)[0] != 0x20B:
        raise driver.Failed("not a 64-bit PE file")
    rsrc_rva = struct.unpack_from("<I", data, optional + 112 + 2 * 8)[0]  # data directory 2

    def offset(rva):
        for i in range(sections):
            vsize, va, raw_size, raw = struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
            if va <= rva < va + max(vsize, raw_size):
                return raw + rva - va
        raise driver.Failed(f"RVA {rva:#x} is in no section")

    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for k in range(named, named + ids):  # named entries come first; skip them
            ident, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * k)
            yield ident, target & 0x7FFFFFFF

    found = {}
    for type_, names in entries(0):
        for name, languages in entries(names):
            for language, leaf in entries(languages):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                found[(type_, name, language)] = data[offset(rva):offset(rva) + size]
    return found


def version_info(block):
    """(file and product version words, {string name: value}, translations)
    of a VERSIONINFO resource: a tree of nodes, each a length, a value
    length, a type (1: text), a key, the value and the children, DWORD-aligned."""
    def node(at):
        length, value_length, text = struct.unpack_from("<HHH", block, at)
        end = at + 6
        while block[end:end + 2] != b"\0\0":
            end += 2
        p = (end + 5) & ~3
        value = block[p:p + (value_length * 2 if text else value_length)]
        children, q = [], (p + len(value) + 3) & ~3
        while q < at + length:
            children.append(node(q))
            q = (q + children[-1][3] + 3) & ~3
        return block[at + 6:end].decode("utf-16-le"), value, children, length

    _, fixed, children, _ = node(0)
    strings, translations = {}, []
    for name, _, tables, _ in children:
        for key, value, items, _ in tables:
            if name == "StringFileInfo":
                strings.update((k, v.decode("utf-16-le").rstrip("\0")) for k, v, _, _ in items)
            elif key == "Translation":
                translations += [struct.unpack_from("<HH", value, i) for i in range(0, len(value), 4)]
    return struct.unpack_from("<4I", fixed, 8), strings, translations


def read(s, name):
    with open(unpacked(s, name), "rb") as f:
        return f.read()


def test_package_files(s):
    """One folder of three files: the game stripped, the help page as it is
    in the tree, a README.txt that Notepad reads and that names the settings
    key the game really uses."""
    folder = f"Trivok-{VERSION}/"
    s.expect_eq(f"Trivok-{VERSION}.zip", os.path.basename(package(s)["zip"]), "zip name")
    s.expect_eq(sorted([folder] + [folder + n for n in ("Trivok.exe", "readme.htm", "README.txt")]),
                sorted(package(s)["names"]), "zip entries")
    exe = read(s, "Trivok.exe")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    s.expect_eq((0, 0), struct.unpack_from("<II", exe, pe + 12), "symbol table of the packed exe")
    with open(os.path.join(ROOT, "resources", "readme.htm"), "rb") as f:
        s.expect(read(s, "readme.htm") == f.read(), "readme.htm is the tree's help page")

    text = read(s, "README.txt")
    s.expect(text.startswith(b"\xef\xbb\xbf"), "README.txt starts with the UTF-8 byte order mark")
    s.expect(text.count(b"\n") > 10 and text.count(b"\n") == text.count(b"\r\n"), "README.txt has CRLF lines only")
    body = text[3:].decode("utf-8")
    with open(os.path.join(ROOT, "shell", "registry_store.h"), encoding="utf-8") as f:
        key = re.search(r'kSettingsKeyPath\[\]\s*=\s*"([^"]+)"', f.read()).group(1).replace("\\\\", "\\")
    for root in ("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"):
        s.expect(f"{root}\\{key}" in body, f"README.txt names {root}\\{key}")


def test_exe_resources(s):
    """The packed exe carries version 1.22 with its Russian description and
    the manifest of the same version that asks for common controls 6."""
    resources = pe_resources(read(s, "Trivok.exe"))
    versions = [v for (t, _, _), v in resources.items() if t == RT_VERSION]
    s.require_eq(1, len(versions), "VERSIONINFO resources")
    words, strings, translations = version_info(versions[0])
    numbers = [int(n) for n in VERSION.split(".")] + [0, 0]
    packed = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3])
    s.expect_eq(packed * 2, words, "file and product version numbers")
    names = ("ProductName", "FileVersion", "ProductVersion", "OriginalFilename")
    s.expect_eq(("Duvirud ida", VERSION, VERSION, "Trivok.exe"), tuple(strings.get(n) for n in names), str(names))
    s.expect("морской бой" in strings.get("FileDescription", ""), "a Russian file description", strings)
    s.expect_eq([(0x0419, 1200)], translations, "language and code page")

    manifests = [v for (t, n, _), v in resources.items() if t == RT_MANIFEST and n == 1]
    s.require_eq(1, len(manifests), "manifests with id 1 (the one read when the process starts)")
    doc = ET.fromstring(manifests[0])
    identity = doc.find(ASM + "assemblyIdentity")
    s.expect_eq((".".join(map(str, numbers)), "amd64"),
                (identity.get("version"), identity.get("processorArchitecture")), "manifest identity")
    wanted = [d.get("version") for d in doc.iter(ASM + "assemblyIdentity")
              if d.get("name") == "Microsoft.Windows.Common-Controls"]
    s.expect_eq(["6.0.0.0"], wanted, "common controls version the manifest asks for")
    level = doc.find(f"{ASM3}trustInfo/{ASM3}security/{ASM3}requestedPrivileges/{ASM3}requestedExecutionLevel")
    s.expect_eq("asInvoker", level.get("level") if level is not None else None, "requested execution level")


def test_unpacked_game_plays(s):
    """The game from the zip, in a prefix it has never run in: the window,
    a new game, a shot by a click on the computer's board."""
    s.start(exe=unpacked(s, "Trivok.exe"))
    s.wait_window(MAIN, "Duvirud ida для Win95")
    board = s.wait_window(COMPUTER_BOARD)
    s.require_eq(board_size(WINE_CELL), (board["rect"][2] - board["rect"][0], board["rect"][3] - board["rect"][1]),
                 "computer's board size (cell size 17 at 96 DPI)")
    s.command(303)
    s.wait_for(lambda: parse_state(s.state())["BattleOn"] == "1", 20, "the battle to start")
    s.require_eq("0" * 100, parse_state(s.state())["ShotsAtComputer"], "shots before the first click")
    click_square(s, board, 4, 6)
    s.wait_for(lambda: parse_state(s.state())["ShotsAtComputer"][4 * 10 + 6] == "1", 10, "the shot at Д7")


class FreshEnvironment(driver.Environment):
    """A prefix made for this file alone, on the suite's display when the
    suite runs it: a package must run where nothing was set up for it."""

    def __init__(self):
        self.env = dict(os.environ)
        self.env.update(driver.WINE_ENV)
        self.owned_dir = tempfile.mkdtemp(prefix="trivok-release-prefix-")
        self.env["WINEPREFIX"] = os.path.join(self.owned_dir, "prefix")
        self.xvfb = None
        if not (os.environ.get("TRIVOK_SUITE") == "1" and os.environ.get("DISPLAY")):
            self._start_xvfb()
        self._make_prefix()


def main():
    driver.Environment = FreshEnvironment  # driver.main makes the environment of the run
    try:
        driver.main([test_package_files, test_exe_resources, test_unpacked_game_plays])
    finally:
        if _package:
            shutil.rmtree(_package["work"], ignore_errors=True)


if __name__ == "__main__":
    main()
