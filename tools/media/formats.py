"""File formats: a median-cut quantizer, BMP, ICO, CUR, WAV and PNG writers, RLE8, AVI."""
import math
import struct
import zlib


def median_cut(counts, n):
    """counts: {(r,g,b): count}. Returns a palette of at most n colours."""
    cols = sorted(counts)
    if len(cols) <= n:
        return cols
    boxes = [cols]

    def score(box):
        if len(box) < 2:
            return -1
        rng = max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))
        return rng * math.sqrt(sum(counts[c] for c in box))

    while len(boxes) < n:
        i = max(range(len(boxes)), key=lambda j: (score(boxes[j]), -j))
        box = boxes[i]
        if len(box) < 2:
            break
        k = max(range(3), key=lambda k: (max(c[k] for c in box) - min(c[k] for c in box), -k))
        box = sorted(box, key=lambda c: (c[k], c))
        total = sum(counts[c] for c in box)
        acc = 0
        cut = 1
        for j, c in enumerate(box):
            acc += counts[c]
            if acc * 2 >= total:
                cut = min(max(1, j + 1), len(box) - 1)
                break
        boxes[i:i + 1] = [box[:cut], box[cut:]]
    pal = []
    for box in boxes:
        t = sum(counts[c] for c in box)
        pal.append(tuple(int(round(sum(c[k] * counts[c] for c in box) / t)) for k in range(3)))
    return pal


def nearest(pal, c, cache):
    v = cache.get(c)
    if v is None:
        best, bd = 0, 1 << 30
        for i, p in enumerate(pal):
            d = (p[0] - c[0]) ** 2 * 3 + (p[1] - c[1]) ** 2 * 4 + (p[2] - c[2]) ** 2 * 2
            if d < bd:
                best, bd = i, d
        cache[c] = v = best
    return v


def quantize(images, ncolours, fixed=()):
    """images: lists of (r,g,b). Returns (palette, [index lists]); the colours
    in `fixed` come first in the palette, exactly."""
    counts = {}
    for im in images:
        for c in im:
            if c not in fixed:
                counts[c] = counts.get(c, 0) + 1
    pal = list(fixed) + median_cut(counts, ncolours - len(fixed))
    cache = {c: i for i, c in enumerate(fixed)}
    return pal, [[nearest(pal, c, cache) for c in im] for im in images]


# -- Writers ---------------------------------------------------------------------

def _info(w, h, bits, size, ncolours=0, compression=0):
    """A BITMAPINFOHEADER."""
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, compression, size, 0, 0, ncolours, ncolours)


def _rgbquads(pal):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in pal)


def bmp24(w, h, rgb):
    stride = (w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = rgb[y * w + x]
            row += bytes((b, g, r))
        data += row + b"\0" * (stride - w * 3)
    info = _info(w, h, 24, len(data))
    return struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54) + info + bytes(data)


def bmp8(w, h, idx, pal):
    stride = (w + 3) // 4 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        data += bytes(idx[y * w:(y + 1) * w]) + b"\0" * (stride - w)
    paldata = _rgbquads(pal)
    off = 54 + len(paldata)
    info = _info(w, h, 8, len(data), len(pal))
    return struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off) + info + paldata + bytes(data)


def _mask_rows(w, h, bits):
    """1-bit rows, bottom-up, each padded to 32 bits; bits[y*w+x] is 0 or 1."""
    stride = (w + 31) // 32 * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if bits[y * w + x]:
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def _directory(kind, entries):
    """An icon (kind 1) or cursor (kind 2) file: entries are (width, height,
    colours, two words: planes and bits for an icon, the hot spot for a cursor, image)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    off = 6 + 16 * len(entries)
    for w, h, ncol, a, b, blob in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, ncol, 0, a, b, len(blob), off)
        off += len(blob)
    return out + b"".join(e[-1] for e in entries)


def ico(images):
    """images: Img objects (square). 32-bit BGRA with an AND mask."""
    entries = []
    for im in images:
        w, h = im.w, im.h
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = im.px[y * w + x]
                if a == 0:
                    r = g = b = 0
                xor += bytes((b, g, r, a))
        andm = _mask_rows(w, h, [1 if p[3] < 128 else 0 for p in im.px])
        entries.append((w, h, 0, 1, 32, _info(w, h * 2, 32, len(xor) + len(andm)) + bytes(xor) + andm))
    return _directory(1, entries)


def cur_mono(images):
    """images: (rows, hot spot); rows are equal strings, one a pixel row: 'X'
    black, 'o' white, '~' inverted, anything else transparent."""
    entries = []
    for rows, (hx, hy) in images:
        w, h = len(rows[0]), len(rows)
        assert all(len(r) == w for r in rows)
        flat = "".join(rows)
        xor = _mask_rows(w, h, [1 if ch in "o~" else 0 for ch in flat])
        andm = _mask_rows(w, h, [0 if ch in "Xo" else 1 for ch in flat])
        blob = _info(w, h * 2, 1, len(xor) + len(andm), 2) + _rgbquads([(0, 0, 0), (255, 255, 255)]) + xor + andm
        entries.append((w, h, 2, hx, hy, blob))
    return _directory(2, entries)


def wav8(rate, samples):
    data = bytes(samples)
    pad = b"\0" if len(data) % 2 else b""
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data)) + data + pad
    return b"RIFF" + struct.pack("<I", len(body)) + body


def png(w, h, rgba):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw += bytes(rgba[y * w + x])

    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# -- RLE8 (Microsoft run-length encoding of 8-bit DIBs) ------------------------

def rle8_encode(idx, w, h):
    """Encoded runs (count, value), absolute runs (0, n, n values, pad to a
    word), end of line (0, 0) after every row but the last, end of bitmap
    (0, 1). Rows bottom-up, as in a DIB."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]

        def run(x, limit=255):
            v, r = row[x], 1
            while x + r < w and row[x + r] == v and r < limit:
                r += 1
            return r
        x = 0
        while x < w:
            r = run(x)
            if r >= 3:
                out += bytes((r, row[x]))
                x += r
                continue
            s = x
            while x < w and x - s < 255:
                r = run(x, 255 - (x - s))
                if r >= 3:
                    break
                x += r
            n = x - s
            if n >= 3:
                out += bytes((0, n)) + bytes(row[s:x])
                if n % 2:
                    out.append(0)
            else:
                i = s
                while i < x:
                    r = 1
                    while i + r < x and row[i + r] == row[i]:
                        r += 1
                    out += bytes((r, row[i]))
                    i += r
        out += b"\0\0" if y > 0 else b"\0\1"
    return bytes(out)


def rle8_decode(data, w, h):
    """Decodes an RLE8 DIB into top-down indices. Raises ValueError on any
    malformed or incomplete stream."""
    img = [None] * (w * h)
    x, y = 0, h - 1        # y counts rows from the top of the image
    i = 0
    n = len(data)
    while True:
        if i + 2 > n:
            raise ValueError("RLE8: no end-of-bitmap")
        a, b = data[i], data[i + 1]
        i += 2
        if a > 0:
            if y < 0 or x + a > w:
                raise ValueError("RLE8: encoded run outside the image")
            for k in range(a):
                img[y * w + x + k] = b
            x += a
        elif b == 0:
            x, y = 0, y - 1
        elif b == 1:
            break
        elif b == 2:
            if i + 2 > n:
                raise ValueError("RLE8: truncated delta")
            x, y = x + data[i], y - data[i + 1]
            i += 2
        else:
            if y < 0 or x + b > w or i + b > n:
                raise ValueError("RLE8: absolute run outside the image")
            for k in range(b):
                img[y * w + x + k] = data[i + k]
            x += b
            i += b + (b & 1)
    if i != n:
        raise ValueError("RLE8: data after end-of-bitmap")
    if any(v is None for v in img):
        raise ValueError("RLE8: pixels left undefined")
    return img


# -- AVI -------------------------------------------------------------------------

def _chunk(fcc, data):
    return fcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def _list(kind, fcc, content):
    return kind + struct.pack("<I", len(content) + 4) + fcc + content


def avi_rle8(w, h, pal, frames, usec_per_frame, handler=b"RLE "):
    """One video stream of RLE8 frames (every frame a key frame), no sound."""
    enc = [rle8_encode(f, w, h) for f in frames]
    nf = len(enc)
    bufsize = max(len(e) for e in enc)
    bufsize += bufsize % 2
    rate_num, rate_den = 1000000, usec_per_frame
    g = math.gcd(rate_num, rate_den)
    rate, scale = rate_num // g, rate_den // g
    max_bps = (bufsize + 8) * rate // scale + 1
    avih = struct.pack("<10I4I", usec_per_frame, max_bps, 0, 0x10, nf, 0, 1, bufsize, w, h, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIII4h", b"vids", handler, 0, 0, 0, 0, scale, rate, 0, nf,
                       bufsize, 0xFFFFFFFF, 0, 0, 0, w, h)
    strf = _info(w, h, 8, bufsize, len(pal), 1) + _rgbquads(pal)
    hdrl = _list(b"LIST", b"hdrl", _chunk(b"avih", avih) +
                 _list(b"LIST", b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for e in enc:
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi_body), len(e))
        movi_body += _chunk(b"00dc", e)
    movi = _list(b"LIST", b"movi", movi_body)
    return _list(b"RIFF", b"AVI ", hdrl + movi + _chunk(b"idx1", index))


def avi_parse(data):
    """Reads back what avi_rle8 writes: (header facts, palette, [frame bytes])."""
    def chunks(buf, start, end):
        i = start
        while i + 8 <= end:
            fcc = buf[i:i + 4]
            size = struct.unpack_from("<I", buf, i + 4)[0]
            yield fcc, i + 8, size
            i += 8 + size + (size & 1)
    if data[:4] != b"RIFF" or data[8:12] != b"AVI ":
        raise ValueError("not RIFF AVI")
    riff_size = struct.unpack_from("<I", data, 4)[0]
    if riff_size + 8 != len(data):
        raise ValueError("RIFF size")
    info = {}
    frames = []
    index = []
    movi_start = None
    pal = None
    for fcc, off, size in chunks(data, 12, len(data)):
        kind = data[off:off + 4] if fcc == b"LIST" else None
        if kind == b"hdrl":
            for f2, o2, s2 in chunks(data, off + 4, off + size):
                if f2 == b"avih":
                    v = struct.unpack_from("<10I", data, o2)
                    info.update(usec=v[0], flags=v[3], frames=v[4], streams=v[6], width=v[8], height=v[9])
                elif f2 == b"LIST" and data[o2:o2 + 4] == b"strl":
                    for f3, o3, s3 in chunks(data, o2 + 4, o2 + s2):
                        if f3 == b"strh":
                            info["type"] = data[o3:o3 + 4]
                            info["handler"] = data[o3 + 4:o3 + 8]
                            info["scale"], info["rate"] = struct.unpack_from("<II", data, o3 + 20)
                            info["length"], info["bufsize"] = struct.unpack_from("<II", data, o3 + 32)
                        elif f3 == b"strf":
                            bih = struct.unpack_from("<IiiHHIIiiII", data, o3)
                            info.update(bi_width=bih[1], bi_height=bih[2], bits=bih[4],
                                        compression=bih[5], size_image=bih[6])
                            ncol = bih[9]
                            p = data[o3 + 40:o3 + 40 + 4 * ncol]
                            pal = [(p[4 * k + 2], p[4 * k + 1], p[4 * k]) for k in range(ncol)]
        elif kind == b"movi":
            movi_start = off
            for f2, o2, s2 in chunks(data, off + 4, off + size):
                if f2 != b"00dc":
                    raise ValueError("unexpected chunk in movi: %r" % f2)
                frames.append(data[o2:o2 + s2])
        elif fcc == b"idx1":
            for k in range(size // 16):
                index.append(struct.unpack_from("<4sIII", data, off + 16 * k))
    if movi_start is None:
        raise ValueError("no movi list")
    if len(index) != len(frames):
        raise ValueError("idx1 has %d entries for %d frames" % (len(index), len(frames)))
    for (ck, flags, offset, length), fr in zip(index, frames):
        p = movi_start + offset
        if ck != b"00dc" or data[p:p + 4] != b"00dc" or length != len(fr) or \
                data[p + 8:p + 8 + length] != fr or not flags & 0x10:
            raise ValueError("idx1 entry does not match its chunk")
    return info, pal, frames

