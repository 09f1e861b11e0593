"""Pictures as rows of RGB bytes, top row first: the driver's BMP screenshots read, PNG files
written and read back. Standard library only."""

import struct
import zlib


class Picture:
    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows

    def pixel(self, x, y):
        return tuple(self.rows[y][3 * x:3 * x + 3])


def read_bmp(data):
    """A 24-bit uncompressed BMP, as the driver saves and the skin pictures are stored."""
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError("not a BMP file")
    bits_offset, = struct.unpack_from("<I", data, 10)
    width, height, _, depth, compression = struct.unpack_from("<iiHHI", data, 18)
    if depth != 24 or compression != 0 or width <= 0 or height == 0:
        raise ValueError(f"not a 24-bit BMP ({depth} bits, compression {compression})")
    stride = (3 * width + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        stored = abs(height) - 1 - y if height > 0 else y  # positive heights are bottom-up
        start = bits_offset + stored * stride
        bgr = data[start:start + 3 * width]
        if len(bgr) != 3 * width:
            raise ValueError("BMP file cut short")
        row = bytearray(bgr)
        row[0::3], row[2::3] = bgr[2::3], bgr[0::3]
        rows.append(bytes(row))
    return Picture(width, abs(height), rows)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def write_png(picture):
    """An 8-bit RGB PNG. Every row is stored as the difference of each byte from the same colour
    of the pixel on its left ("sub"): the skins' fine grain packs best that way."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = bytearray()
    for row in picture.rows:
        raw.append(1)
        raw += bytes((a - b) & 255 for a, b in zip(row, bytes(3) + row[:-3]))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def read_png(data):
    """An 8-bit RGB or RGBA PNG without interlacing (alpha is dropped), as browsers save them."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    position, compressed, header = 8, bytearray(), None
    while position + 8 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, position)
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    if header is None:
        raise ValueError("PNG without a header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"unsupported PNG ({depth} bits, colour type {colour})")
    channels = 3 if colour == 2 else 4
    stride = channels * width
    raw = zlib.decompress(bytes(compressed))
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 255
        elif kind == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, previous))
        elif kind == 3:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + previous[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                corner = previous[i - channels] if i >= channels else 0
                line[i] = (line[i] + _paeth(left, previous[i], corner)) & 255
        previous = line
        if channels == 4:
            line = bytearray(b for i, b in enumerate(line) if i % 4 != 3)
        rows.append(bytes(line))
    return Picture(width, height, rows)
