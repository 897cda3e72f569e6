"""Writers (and small readers, for self-checks) of .ico, 8-bit .bmp and .png.

Pixels come in as rows of straight 8-bit (r, g, b, a) tuples.
"""

import struct
import zlib
from collections import Counter

# ------------------------------------------------------------------- PNG


def png_bytes(rows, alpha=True):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for r, g, b, a in row:
            raw.extend((r, g, b, a) if alpha else (r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


# ------------------------------------------------------------------- ICO


def _ico_bitmap(rows):
    """One icon image as a 32-bit BGRA DIB followed by its AND mask."""
    height, width = len(rows), len(rows[0])
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor.extend((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:  # transparent where alpha is not understood
                line[x // 8] |= 0x80 >> (x % 8)
        mask.extend(line)
    header = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """An .ico holding the given images; 256-pixel images are stored as PNG."""
    entries = []
    blobs = []
    offset = 6 + 16 * len(images)
    for rows in images:
        height, width = len(rows), len(rows[0])
        if width > 256 or height > 256:
            raise ValueError('icon images are at most 256 pixels')
        blob = png_bytes(rows) if max(width, height) == 256 else _ico_bitmap(rows)
        entries.append(struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) + b''.join(blobs)


def read_ico(data):
    """(width, height, rows or None for PNG entries) for every image of an .ico."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError('not an icon file')
    out = []
    for i in range(count):
        w, h, _, _, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        w, h = w or 256, h or 256
        blob = data[offset:offset + size]
        if len(blob) != size:
            raise ValueError('icon image runs past the end of the file')
        if blob.startswith(b'\x89PNG'):
            out.append((w, h, None))
            continue
        hs, bw, bh, bplanes, bbits = struct.unpack_from('<IiiHH', blob, 0)
        if (hs, bw, bh, bplanes, bbits, planes, bits) != (40, w, 2 * h, 1, 32, 1, 32):
            raise ValueError('unexpected icon image header')
        rows = []
        for y in range(h):
            base = 40 + (h - 1 - y) * w * 4
            rows.append([(blob[base + 4 * x + 2], blob[base + 4 * x + 1], blob[base + 4 * x],
                          blob[base + 4 * x + 3]) for x in range(w)])
        expected = 40 + 4 * w * h + ((w + 31) // 32) * 4 * h
        if size != expected:
            raise ValueError('icon image has the wrong size')
        out.append((w, h, rows))
    return out


# ------------------------------------------------------------ 8-bit BMP


def quantise(rows, limit=256):
    """Palette of at most `limit` colours (median cut) and the index rows."""
    counts = Counter(p[:3] for row in rows for p in row)
    if len(counts) <= limit:
        palette = sorted(counts)
    else:
        boxes = [list(counts.items())]
        while len(boxes) < limit:
            box = max((b for b in boxes if len(b) > 1), key=_box_extent, default=None)
            if box is None:
                break
            boxes.remove(box)
            boxes.extend(_split(box))
        palette = sorted(_box_mean(b) for b in boxes)
    nearest = {}
    index_rows = []
    for row in rows:
        line = []
        for p in row:
            c = p[:3]
            if c not in nearest:
                nearest[c] = min(range(len(palette)),
                                 key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))
            line.append(nearest[c])
        index_rows.append(line)
    return palette, index_rows


def _box_extent(box):
    return max(max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)) * \
        sum(n for _, n in box) ** 0.5


def _split(box):
    channel = max(range(3), key=lambda k: max(c[k] for c, _ in box) - min(c[k] for c, _ in box))
    box = sorted(box, key=lambda item: item[0][channel])
    total = sum(n for _, n in box)
    running = 0
    for i, (_, n) in enumerate(box):
        running += n
        if running * 2 >= total:
            cut = min(max(i + 1, 1), len(box) - 1)
            return box[:cut], box[cut:]
    return box[:-1], box[-1:]


def _box_mean(box):
    total = sum(n for _, n in box)
    return tuple(int(round(sum(c[k] * n for c, n in box) / total)) for k in range(3))


def bmp8_bytes(rows):
    palette, index_rows = quantise(rows)
    height, width = len(rows), len(rows[0])
    stride = (width + 3) // 4 * 4
    pixels = bytearray()
    for line in reversed(index_rows):
        pixels.extend(bytes(line) + bytes(stride - width))
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(pixels),
                       2835, 2835, len(palette), 0)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + table + bytes(pixels)


def read_bmp8(data):
    """(width, height, rows of (r, g, b)) of an uncompressed 8-bit bitmap."""
    magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data, 0)
    hs, w, h, planes, bits, compression, _, _, _, used, _ = struct.unpack_from(
        '<IiiHHIIiiII', data, 14)
    if magic != b'BM' or size != len(data) or (hs, planes, bits, compression) != (40, 1, 8, 0):
        raise ValueError('not an uncompressed 8-bit bitmap')
    used = used or 256
    palette = [struct.unpack_from('<BBBB', data, 54 + 4 * i)[2::-1] for i in range(used)]
    stride = (w + 3) // 4 * 4
    if offset + stride * h != len(data):
        raise ValueError('bitmap pixel data has the wrong size')
    rows = []
    for y in range(h):
        base = offset + (h - 1 - y) * stride
        rows.append([palette[data[base + x]] for x in range(w)])
    return w, h, rows
