"""The release package: tools/dist.sh makes the zip from the built game; its files, the exe's version
information and manifest, and the unpacked game started up to a first shot in a Wine prefix of its own
(CTest runs this file through tools/wine-env.sh, which makes one)."""
import os
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import driver  # noqa: E402

VERSION = re.search(r'TRIVOK_VERSION_TEXT\s+"([^"]+)"',
                    Path(driver.ROOT, "resources", "version.rc").read_text(encoding="utf-8")).group(1)
ASM, ASM3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
_package = {}


def unpacked(s, name):
    """A file of the package that tools/dist.sh makes from the exe under test,
    unpacked once into the session's folder."""
    if not _package:
        out = subprocess.run(["bash", os.path.join(driver.ROOT, "tools", "dist.sh"), s.opt.exe, s.workdir],
                             capture_output=True, text=True, timeout=120, check=True)
        with zipfile.ZipFile(out.stdout.split()[-1]) as z:
            z.extractall(s.workdir)
            _package.update(zip=z.filename, names=z.namelist())
    return Path(s.workdir, f"Trivok-{VERSION}", name)


def test_package_files(s):
    """One folder of three files: the game stripped, the tree's help page, and
    a README.txt that Notepad reads (byte order mark, CRLF) naming the settings key."""
    exe = unpacked(s, "Trivok.exe").read_bytes()
    s.expect_eq(f"Trivok-{VERSION}.zip", os.path.basename(_package["zip"]), "zip name")
    s.expect_eq(sorted(f"Trivok-{VERSION}/{n}" for n in ("", "Trivok.exe", "readme.htm", "README.txt")),
                sorted(_package["names"]), "zip entries")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    s.expect_eq((0, 0), struct.unpack_from("<II", exe, pe + 12), "symbol table of the packed exe")
    s.expect(unpacked(s, "readme.htm").read_bytes() == Path(driver.ROOT, "resources", "readme.htm").read_bytes(),
             "readme.htm is the tree's help page")
    text = unpacked(s, "README.txt").read_bytes()
    s.expect(text.startswith(b"\xef\xbb\xbf"), "README.txt starts with the UTF-8 byte order mark")
    s.expect(text.count(b"\n") > 10 and text.count(b"\n") == text.count(b"\r\n"), "README.txt has CRLF lines only")
    s.expect(all(f"{hive}\\SOFTWARE\\Trivok" in text.decode() for hive in ("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER")),
             "README.txt names both settings keys")


def test_exe_resources(s):
    """The packed exe carries its version with a Russian description and the
    manifest of the same version that asks for common controls 6, as invoker."""
    rc = subprocess.run(["x86_64-w64-mingw32-windres", "-i", unpacked(s, "Trivok.exe"), "-O", "rc"],
                        capture_output=True, text=True, timeout=60, check=True).stdout
    rc = re.sub(r"\\x([0-9a-fA-F]{4})", lambda m: chr(int(m.group(1), 16)), rc)
    numbers = (VERSION.split(".") + ["0", "0"])[:4]
    s.expect(re.search(rf"^ FILEVERSION ({', '.join(numbers)})\n PRODUCTVERSION \1$", rc, re.M), f"versions {VERSION}")
    values = dict(re.findall(r'VALUE "(\w+)", L?"([^"]*)"', rc))
    names = ("ProductName", "FileVersion", "ProductVersion", "OriginalFilename")
    s.expect_eq(("Duvirud ida", VERSION, VERSION, "Trivok.exe"), tuple(values.get(n) for n in names), str(names))
    s.expect("морской бой" in values.get("FileDescription", ""), "a Russian file description", values)
    s.expect(re.search(r'VALUE "Translation", 0x419, 1200', rc), "language Russian, code page Unicode")
    block = re.search(r"^1 24 /\* RT_MANIFEST \*/\nBEGIN\n(.*?)^END", rc, re.M | re.S)
    s.expect(block, "a manifest with id 1 (the one read when the process starts)")
    doc = ET.fromstring("".join(re.findall(r'^\s*"(.*)"$', block.group(1) if block else "", re.M))
                        .replace('""', '"').replace("\\n", "\n"))
    ids = [tuple(map(d.get, ("name", "version", "processorArchitecture"))) for d in doc.iter(ASM + "assemblyIdentity")]
    level = doc.find(f"{ASM3}trustInfo/{ASM3}security/{ASM3}requestedPrivileges/{ASM3}requestedExecutionLevel")
    s.expect_eq(((".".join(numbers), "amd64"), [("Microsoft.Windows.Common-Controls", "6.0.0.0", "amd64")],
                 "asInvoker"), (ids[0][1:], ids[1:], level.get("level")), "manifest: identity, common controls, level")


def test_unpacked_game_plays(s):
    """The game from the zip, where it has never run: a new game and a shot by a click."""
    s.start(exe=unpacked(s, "Trivok.exe"))
    s.command(driver.NEW_GAME)
    s.wait_for(lambda: s.state()["BattleOn"] == "1", 20, "a battle")
    s.expect_eq("0" * 100, s.state()["ShotsAtComputer"], "shots before the first click")
    s.click_square(s.window(driver.COMPUTER_BOARD), 4, 6)
    s.wait_for(lambda: s.state()["ShotsAtComputer"][4 * 10 + 6] == "1", 10, "the shot at Д7")


if __name__ == "__main__":
    driver.main([test_package_files, test_exe_resources, test_unpacked_game_plays])
