#!/usr/bin/env bash
# Makes the release package: Trivok-<version>.zip with one folder
# Trivok-<version>/ holding the stripped game, the help page and README.txt.
#   tools/dist.sh [EXE [OUTDIR]]
# EXE is the built game (build/win/Trivok.exe by default); the zip goes to
# OUTDIR (the folder "dist" beside EXE by default). Prints the zip's path.
# STRIP names the strip program (x86_64-w64-mingw32-strip by default).
# Entries carry the time of the last commit (or SOURCE_DATE_EPOCH), so the
# same exe gives the same zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "${1:-$root/build/win/Trivok.exe}")
outdir=${2:-$(dirname "$exe")/dist}
strip=${STRIP:-x86_64-w64-mingw32-strip}

[ -f "$exe" ] || { echo "dist: no such file: $exe" >&2; exit 1; }
version=$(sed -n 's/^#define TRIVOK_VERSION_TEXT *"\([^"]*\)".*/\1/p' "$root/resources/version.rc")
[ -n "$version" ] || { echo "dist: no TRIVOK_VERSION_TEXT in resources/version.rc" >&2; exit 1; }
name=Trivok-$version

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$strip" -o "$stage/Trivok.exe" "$exe"
cp "$root/resources/readme.htm" "$stage/readme.htm"
# Notepad on any Windows reads UTF-8 by its byte order mark and wants CRLF.
{ printf '\xef\xbb\xbf'; sed 's/\r*$/\r/' "$root/resources/readme.txt"; } >"$stage/README.txt"

mkdir -p "$outdir"
zip="$(realpath "$outdir")/$name.zip"
python3 - "$stage" "$name" "$zip" <<'EOF'
import os
import sys
import time
import zipfile

stage, name, target = sys.argv[1:]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # zip dates start in 1980


def entry(path, mode, dos=0):
    info = zipfile.ZipInfo(path, stamp)
    info.external_attr = mode << 16 | dos
    info.create_system = 3  # Unix, so the modes above are read
    return info


partial = target + ".part"
with zipfile.ZipFile(partial, "w") as z:
    z.writestr(entry(name + "/", 0o40755, 0x10), b"")  # 0x10: a folder, for Windows
    for file, mode in (("Trivok.exe", 0o100755), ("readme.htm", 0o100644), ("README.txt", 0o100644)):
        with open(os.path.join(stage, file), "rb") as f:
            z.writestr(entry(f"{name}/{file}", mode), f.read(), zipfile.ZIP_DEFLATED, 9)
os.replace(partial, target)
EOF
echo "$zip"
