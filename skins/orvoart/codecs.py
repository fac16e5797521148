"""Writers (and the readers the checks use) for BMP, PNG, GIF and ICO, standard library only."""

import struct
import zlib

from .raster import Image, channels, rgb

# ---------------------------------------------------------------------------------------- BMP


def bmp_bytes(img, bpp=32):
    """Uncompressed BI_RGB, bottom-up; 32-bit pixels carry a zero fourth byte."""
    assert bpp in (24, 32)
    stride = (img.w * bpp // 8 + 3) & ~3
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            r, g, b = channels(img.get(x, y))
            row += bytes((b, g, r)) if bpp == 24 else bytes((b, g, r, 0))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, bpp, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + data


def read_bmp(data):
    """Returns (image, bits per pixel) of an uncompressed 24/32-bit BMP; raises ValueError."""
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    size, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    if size < 40 or planes != 1 or comp != 0 or bpp not in (24, 32) or w <= 0 or h == 0:
        raise ValueError("unsupported BMP layout")
    bottom_up = h > 0
    h = abs(h)
    stride = (w * bpp // 8 + 3) & ~3
    if offset + stride * h > len(data):
        raise ValueError("truncated BMP")
    img = Image(w, h)
    step = bpp // 8
    for row in range(h):
        y = h - 1 - row if bottom_up else row
        base = offset + row * stride
        for x in range(w):
            b, g, r = data[base + x * step: base + x * step + 3]
            img.px[y * w + x] = rgb(r, g, b)
    return img, bpp


def bmp_fourth_bytes(data):
    """The set of values found in the fourth byte of each 32-bit pixel."""
    offset = struct.unpack_from("<I", data, 10)[0]
    return set(data[offset + 3::4])


# ---------------------------------------------------------------------------------------- PNG


def _chunk(kind, payload):
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(
        ">I", zlib.crc32(kind + payload) & 0xFFFFFFFF)


def png_bytes(img):
    """RGB, or RGBA when the image has alpha; filter 0 on every row, so output is stable."""
    has_alpha = img.alpha is not None
    raw = bytearray()
    for y in range(img.h):
        raw.append(0)
        for x in range(img.w):
            raw += bytes(channels(img.get(x, y)))
            if has_alpha:
                raw.append(img.get_alpha(x, y))
    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 6 if has_alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr) +
            _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def read_png(data):
    """Decodes 8-bit RGB/RGBA PNG files (all five row filters)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, head = 8, b"", None
    while pos < len(data):
        n, kind = struct.unpack_from(">I4s", data, pos)
        payload = data[pos + 8: pos + 8 + n]
        if kind == b"IHDR":
            head = struct.unpack(">IIBBBBB", payload)
        elif kind == b"IDAT":
            idat += payload
        pos += 12 + n
    w, h, depth, ctype = head[:4]
    if depth != 8 or ctype not in (2, 6):
        raise ValueError("unsupported PNG format")
    bpp = 4 if ctype == 6 else 3
    raw = zlib.decompress(idat)
    stride = w * bpp
    img = Image(w, h, alpha=255 if ctype == 6 else None)
    prev = bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1: (y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            add = (0, a, b, (a + b) // 2, _paeth(a, b, c))[f]
            line[i] = (line[i] + add) & 255
        for x in range(w):
            p = line[x * bpp: x * bpp + bpp]
            img.set(x, y, rgb(p[0], p[1], p[2]), p[3] if bpp == 4 else 255)
        prev = line
    return img


# ---------------------------------------------------------------------------------------- GIF


def _lzw_encode(indices, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, acc, nbits = bytearray(), 0, 0
    size = min_size + 1

    def emit(code):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 255)
            acc >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    nxt = end + 1
    emit(clear)
    cur = (indices[0],)
    for k in indices[1:]:
        cand = cur + (k,)
        if cand in table:
            cur = cand
            continue
        emit(table[cur])
        if nxt < 4096:
            table[cand] = nxt
            nxt += 1
            if nxt > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            nxt, size = end + 1, min_size + 1
        cur = (k,)
    emit(table[cur])
    emit(end)
    if nbits:
        out.append(acc & 255)
    return bytes(out)


def gif_bytes(w, h, palette, indices):
    """GIF89a with one global colour table and one full-size image, no transparency."""
    bits = max(1, (len(palette) - 1).bit_length())
    table = b"".join(bytes(channels(c)) for c in palette) + b"\0\0\0" * ((1 << bits) - len(palette))
    min_size = max(2, bits)
    data = _lzw_encode(indices, min_size)
    blocks = b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255] for i in range(0, len(data), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", w, h, 0x80 | 0x70 | (bits - 1), 0, 0) + table +
            b"," + struct.pack("<HHHHB", 0, 0, w, h, 0) + bytes((min_size,)) + blocks + b"\0;")


def _lzw_decode(data, min_size, count):
    clear, end = 1 << min_size, (1 << min_size) + 1
    size, pos, acc, nbits = min_size + 1, 0, 0, 0
    table, prev, out = None, None, []
    while len(out) < count:
        while nbits < size:
            if pos >= len(data):
                raise ValueError("LZW data ends early")
            acc |= data[pos] << nbits
            pos += 1
            nbits += 8
        code = acc & ((1 << size) - 1)
        acc >>= size
        nbits -= size
        if code == clear:
            table = [(i,) for i in range(clear)] + [(), ()]
            size, prev = min_size + 1, None
            continue
        if code == end:
            break
        if code < len(table):
            entry = table[code]
            if prev is not None:
                table.append(prev + entry[:1])
        elif code == len(table) and prev is not None:
            entry = prev + prev[:1]
            table.append(entry)
        else:
            raise ValueError("bad LZW code")
        out.extend(entry)
        prev = entry
        if len(table) == (1 << size) and size < 12:
            size += 1
    return out


def read_gif(data):
    """Decodes a single-image GIF with a global colour table into an RGB image."""
    if data[:6] not in (b"GIF87a", b"GIF89a"):
        raise ValueError("not a GIF file")
    w, h, flags = struct.unpack_from("<HHB", data, 6)
    pos = 13
    palette = []
    if flags & 0x80:
        n = 2 << (flags & 7)
        palette = [rgb(*data[pos + 3 * i: pos + 3 * i + 3]) for i in range(n)]
        pos += 3 * n
    while data[pos] == 0x21:  # extensions: skip their sub-blocks
        pos += 2
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    if data[pos] != 0x2C:
        raise ValueError("no image descriptor")
    x0, y0, iw, ih, iflags = struct.unpack_from("<HHHHB", data, pos + 1)
    pos += 10
    if iflags & 0x80 or iflags & 0x40 or (x0, y0, iw, ih) != (0, 0, w, h):
        raise ValueError("unsupported GIF image layout")
    min_size = data[pos]
    pos += 1
    stream = bytearray()
    while data[pos]:
        stream += data[pos + 1: pos + 1 + data[pos]]
        pos += data[pos] + 1
    indices = _lzw_decode(bytes(stream), min_size, w * h)
    img = Image(w, h)
    img.px = [palette[i] for i in indices[:w * h]]
    return img, palette


# ---------------------------------------------------------------------------------------- ICO


def _ico_dib(img):
    """32-bit BGRA DIB (double height) followed by the 1-bit AND mask, as icon files hold them."""
    pixels, mask = bytearray(), bytearray()
    mask_stride = ((img.w + 31) // 32) * 4
    for y in range(img.h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(img.w):
            r, g, b = channels(img.get(x, y))
            a = img.get_alpha(x, y)
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    head = struct.pack("<IiiHHIIiiII", 40, img.w, img.h * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return head + bytes(pixels) + bytes(mask)


def ico_bytes(images):
    """An icon file from square RGBA images; the 256-pixel one is stored as PNG."""
    blobs = [png_bytes(i) if i.w >= 256 else _ico_dib(i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", img.w % 256, img.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def read_ico(data):
    """Returns a list of (width, height, kind, image) with kind 'png' or 'dib'."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    out = []
    for i in range(count):
        w, h, _, _, _, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        blob = data[offset: offset + size]
        if blob[:8] == b"\x89PNG\r\n\x1a\n":
            out.append((w, h, "png", read_png(blob)))
            continue
        hsize, dw, dh, _, dbpp = struct.unpack_from("<IiiHH", blob, 0)
        if (dw, dh, dbpp) != (w, 2 * h, 32):
            raise ValueError("icon entry does not match its directory")
        img = Image(w, h, alpha=0)
        for row in range(h):
            for x in range(w):
                b, g, r, a = blob[hsize + (row * w + x) * 4: hsize + (row * w + x) * 4 + 4]
                img.set(x, h - 1 - row, rgb(r, g, b), a)
        out.append((w, h, "dib", img))
    return out
