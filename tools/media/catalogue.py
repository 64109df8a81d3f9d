"""Every media file, what makes it, and the check of the committed files against it."""
import os
import struct

from .bitmaps import TEXTURES, TOOLBAR_SIZES, texture, toolbar_images, toolbar_strip
from .clips import CLIPS, clip
from .cursors import CURSOR_SIZES, CURSORS
from .formats import avi_parse, bmp8, bmp24, cur_mono, ico, rle8_decode, wav8
from .icons import ICONS, icon_images
from .sounds import SOUNDS


def build():
    """files {name: bytes}, frames {clip: palette indices of each frame}, and
    art: the images before encoding, for previews."""
    files, frames = {}, {}
    art = {"toolbars": {}, "icons": {}, "cursors": {}, "files": files}
    for name in TEXTURES:
        files[name] = bmp24(8, 8, texture(name))
    for size in TOOLBAR_SIZES:
        W, H, pal, idx = art["toolbars"][size] = toolbar_strip(toolbar_images(size))
        files["toolbar.bmp" if size == 24 else "toolbar_%d.bmp" % size] = bmp8(W, H, idx, pal)
    for name in ICONS:
        art["icons"][name] = imgs = icon_images(name)
        files[name] = ico(imgs)
    for name, fn in CURSORS.items():
        art["cursors"][name] = imgs = [fn(size) for size in CURSOR_SIZES]
        files[name] = cur_mono(imgs)
    for name, fn in SOUNDS.items():
        files[name] = wav8(*fn())
    for name in CLIPS:
        files[name], frames[name] = clip(name)
    return files, frames, art


def check(res_dir, files, frames):
    """Problems found: committed files that differ, clips that do not decode back."""
    problems = []
    for name, data in sorted(files.items()):
        try:
            with open(os.path.join(res_dir, name), "rb") as f:
                if f.read() != data:
                    problems.append("%s: differs from what tools/gen_resources.py makes (regenerate and commit)" % name)
        except OSError as e:
            problems.append("%s: cannot read (%s)" % (name, e))
    for name, src in sorted(frames.items()):
        problems += ["%s: %s" % (name, p) for p in _check_clip(os.path.join(res_dir, name), CLIPS[name], src)]
    return problems


def _check_clip(path, params, src):
    w, h, usec = params[:3]
    try:
        with open(path, "rb") as f:
            info, pal, enc = avi_parse(f.read())
    except (OSError, ValueError, struct.error) as e:
        return [str(e)]
    problems = []
    want = dict(width=w, height=h, bi_width=w, bi_height=h, frames=len(src), length=len(src), usec=usec,
                streams=1, type=b"vids", handler=b"RLE ", bits=8, compression=1)
    for k, v in want.items():
        if info.get(k) != v:
            problems.append("%s is %r, expected %r" % (k, info.get(k), v))
    largest = max((len(e) for e in enc), default=0)
    if info.get("bufsize", 0) < largest or info.get("size_image", 0) < largest:
        problems.append("buffer sizes smaller than the largest frame")
    if len(enc) != len(src):
        problems.append("%d frames, expected %d" % (len(enc), len(src)))
    for i, (data, want_idx) in enumerate(zip(enc, src)):
        try:
            dec = rle8_decode(data, w, h)
        except ValueError as e:
            problems.append("frame %d: %s" % (i, e))
            continue
        if dec != want_idx:
            problems.append("frame %d: %d pixels decode differently" % (i, sum(a != b for a, b in zip(dec, want_idx))))
        if max(dec) >= len(pal):
            problems.append("frame %d: index outside the palette" % i)
    return problems
