#!/usr/bin/env python3
"""Generates the program's media into resources/ (Python 3 standard library only).

    tools/gen_resources.py            write every file into resources/
    tools/gen_resources.py --check    regenerate in memory and verify: every committed
                                      file is byte for byte what the script makes, and
                                      every clip decodes back (RLE8) to its source frames

Everything is drawn by the package tools/media/: raster.py (an anti-aliased
rasterizer and a stroke font), formats.py (a median-cut quantizer; BMP, ICO, CUR,
WAV, PNG and RLE8-compressed AVI), the pictures (bitmaps.py, icons.py, cursors.py,
clips.py, drawing with parts.py) and sounds.py; catalogue.py lists the files. The
output is deterministic: the same script writes the same bytes. Enlarged previews
to look at: tools/make_pictures.py --media DIR.

Files and their resource ids (resources/resource.h, resources/images.rc):
    tex_blue.bmp 159, tex_green.bmp 160, tex_grey.bmp 161   8 x 8 textures
    toolbar.bmp 151, toolbar_32.bmp 152,                    20 images of 24, 32, 36 and 48
      toolbar_36.bmp 153, toolbar_48.bmp 154                pixels square, 8-bit
    main.ico 120, arrows.ico 149, picker.ico 156,           16, 20, 24, 32, 40, 48 and 64
      speaker.ico 157                                       pixels square, 32-bit
    pad_right.ico 143, pad_down.ico 144, pad_left.ico 145,  16, 32, 40, 48 and 64 pixels
      pad_up.ico 146, pad_turn.ico 147, pad_done.ico 150    square, 32-bit
    gunsight.cur 163, hand.cur 137, pipette.cur 142         32, 40, 48 and 64 pixels square,
                                                            monochrome
    lost.wav 116, won.wav 118                               PCM mono 8-bit
    fan.avi 128, word.avi 135                               RLE8 clips, no sound
"""
import argparse
import os
import sys

from media import catalogue

RES_DIR = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "resources")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--check", action="store_true", help="verify the committed files; write nothing")
    args = ap.parse_args()
    files, frames, _ = catalogue.build()
    if args.check:
        problems = catalogue.check(RES_DIR, files, frames)
        for p in problems:
            print("gen_resources --check: " + p, file=sys.stderr)
        if problems:
            return 1
        print("gen_resources --check: %d files match; %d clips decode back to their %d frames" %
              (len(files), len(frames), sum(len(f) for f in frames.values())))
        return 0
    for name, data in sorted(files.items()):
        with open(os.path.join(RES_DIR, name), "wb") as f:
            f.write(data)
    print("wrote %d files into %s" % (len(files), RES_DIR))
    return 0


if __name__ == "__main__":
    sys.exit(main())
