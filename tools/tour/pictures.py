"""The driver's BMP screenshots as rows of RGB bytes, top row first, for the start-up benchmark
(tools/startup_bench), which runs on whatever python3 the PATH finds first: standard library only.
The tour and the tests read and write their pictures with Pillow."""

import struct


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
