#!/usr/bin/env python3
"""Draws the demo installation's assets: the four skin pictures, the test sound and the icon.

Usage: make_assets.py OUTPUT_FOLDER

Everything is generated from fixed seeds, so two runs write identical files. Only the Python
standard library is used, so that every build machine can run it.

Files written:
  cbg.sar, vbg.sar, abg.sar  skin pictures of the control, graphics and audio setup dialogs
  lbg.sar                    skin picture of the launcher
  tavrin.wav                 the audio dialog's test sound, a short two-note chime
  tavrin.ico                 the programs' icon, 16, 32 and 48 pixels, 32-bit with alpha

The skin pictures are 24-bit bottom-up BMP files. They are shown unscaled from the top-left corner
of a dialog's client area, with black button texts (and dim-grey/white pressed texts) drawn over
them, so they stay mid-to-light in tone everywhere. Each is a dusk landscape: a sky gradient with a
glow and thin clouds, three layers of hills fading into valley mist, a few drifting light motes.
"""

import math
import os
import random
import struct
import sys
import wave
from dataclasses import dataclass, field

Colour = tuple  # (red, green, blue), 0..255


def mix(a, b, t):
    """Linear blend of two colours; t = 0 gives a, t = 1 gives b."""
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def smoothstep(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3.0 - 2.0 * t)


def clamp_byte(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


# --- Skin pictures ---------------------------------------------------------------------------


@dataclass
class Scene:
    """One skin picture. The composition is laid out over the design area, the client area the
    dialog is expected to have at 96 DPI; the picture itself is larger, so that a dialog whose
    font comes out wider or taller than expected is still covered, and the extra margin simply
    continues the misty foreground."""

    file_name: str
    width: int  # a multiple of 4, so that rows need no padding
    height: int
    design_width: int
    design_height: int
    seed: int
    sky_top: Colour
    sky_horizon: Colour
    glow: Colour
    hills: list  # far to near
    mist: Colour
    glow_centre: tuple = (0.7, 0.45)  # fractions of the design area
    moon: tuple = None  # (x, y, radius) as fractions of the design width/height, or None
    towers: list = field(default_factory=list)  # (x fraction, width px, height px) on layer 1
    motes: int = 8


# Client areas of the setup dialogs at 96 DPI, where "MS Sans Serif" 8 gives dialog base units of
# about 6 x 13 pixels: x * 1.5, y * 1.625 (Wine's substitute face gives 6 x 12). The launcher's
# "Comic Sans MS" 8 is wider and taller (about 600 x 400 pixels), but is replaced by a smaller
# face where it is missing (about 513 x 323 under Wine): its composition sits between the two,
# and its picture is the most generous.
SCENES = [
    # Control setup, 427 x 218 dialog units: a violet dusk.
    Scene(
        "cbg.sar", 752, 432, 641, 354, seed=137,
        sky_top=(150, 160, 214), sky_horizon=(250, 216, 196), glow=(255, 238, 210),
        hills=[(186, 182, 218), (160, 158, 204), (142, 142, 192)], mist=(230, 226, 242),
        glow_centre=(0.62, 0.46), moon=(0.56, 0.25, 0.032)),
    # Graphics setup, 256 x 76 dialog units: sea-green evening.
    Scene(
        "vbg.sar", 480, 160, 384, 124, seed=142,
        sky_top=(146, 192, 204), sky_horizon=(242, 238, 204), glow=(255, 250, 220),
        hills=[(182, 212, 204), (156, 196, 188), (138, 182, 174)], mist=(224, 240, 232),
        glow_centre=(0.30, 0.55), motes=5),
    # Audio setup, 251 x 50 dialog units: a rose and amber sunset.
    Scene(
        "abg.sar", 480, 128, 377, 81, seed=145,
        sky_top=(204, 168, 192), sky_horizon=(255, 226, 188), glow=(255, 242, 212),
        hills=[(220, 188, 194), (204, 166, 178), (188, 150, 166)], mist=(248, 232, 230),
        glow_centre=(0.75, 0.60), motes=4),
    # Launcher, 342 x 215 dialog units: twilight over hills with two distant towers.
    Scene(
        "lbg.sar", 704, 464, 560, 370, seed=102,
        sky_top=(140, 150, 208), sky_horizon=(255, 214, 178), glow=(255, 236, 204),
        hills=[(180, 172, 210), (156, 148, 196), (138, 132, 184)], mist=(234, 224, 238),
        glow_centre=(0.50, 0.44), moon=(0.12, 0.13, 0.03),
        towers=[(0.81, 14, 58), (0.845, 9, 34)], motes=12),
]


def ridge_line(rng, width, base, amplitude, scale, peaked):
    """Heights (row numbers) of a hill ridge, one per column: a base row raised and lowered by a
    few waves of random phase, the first broad, the later ones smaller and quicker. A peaked
    ridge folds each wave (1 - |sin|), which gives the sharp tops of distant mountains. `scale`
    stretches the waves so that small pictures keep broad hills."""
    waves = [
        (rng.uniform(0.6, 1.0) / (k + 1) ** 1.3, rng.uniform(0.6, 1.1) * (k + 1) ** 1.6,
         rng.uniform(0, 2 * math.pi))
        for k in range(4)
    ]
    total = sum(a for a, _, _ in waves)
    line = []
    for x in range(width):
        u = x / scale
        if peaked:
            s = sum(a * (1 - abs(math.sin(math.pi * f * u + p))) for a, f, p in waves)
            s = 2 * s / total - 1
        else:
            s = sum(a * math.sin(2 * math.pi * f * u + p) for a, f, p in waves) / total
        line.append(base - amplitude * s)
    return line


def raise_towers(scene, ridge):
    """Lifts the middle ridge into the silhouette of slim towers with pointed roofs; returns
    each tower's centre column, body top row and body size, for its window."""
    towers = []
    for fraction, body_width, body_height in scene.towers:
        centre = int(fraction * scene.design_width)
        ground = ridge[centre] + 4
        body_top = ground - body_height
        roof_height = body_width * 1.3
        towers.append((centre, body_top, body_width, body_height))
        for x in range(centre - body_width, centre + body_width + 1):
            if not 0 <= x < len(ridge):
                continue
            offset = abs(x - centre)
            if offset <= body_width // 2:
                top = body_top - roof_height * (1 - offset / (body_width / 2 + 2))
            elif offset <= body_width // 2 + 2:
                top = body_top + 2  # the roof's eaves overhang the body a little
            else:
                continue
            ridge[x] = min(ridge[x], top)
    return towers


def render_scene(scene):
    """Returns the picture as a list of rows, top row first, each a bytearray in BGR order."""
    rng = random.Random(scene.seed)
    w, h = scene.width, scene.height
    dw, dh = scene.design_width, scene.design_height
    horizon = 0.62 * dh

    # Ridges far to near; each layer also keeps its natural ridge, from which its mist is
    # measured, so that a tower stands out as a silhouette rather than as a misty hill.
    scale = max(dw, 360)
    layers = []
    towers = []
    for index, (base, amplitude) in enumerate([(0.50, 0.10), (0.64, 0.08), (0.80, 0.06)]):
        natural = ridge_line(rng, w, base * dh, amplitude * dh, scale, peaked=index == 0)
        solid = list(natural)
        if index == 1:
            towers = raise_towers(scene, solid)
        fade_length = (0.16, 0.16, 0.26)[index] * dh
        mist_amount = (0.55, 0.50, 0.60)[index]
        layers.append((solid, natural, scene.hills[index], fade_length, mist_amount))
    layers.reverse()  # nearest first: the first layer a pixel lies in is the one seen

    # The glow is a Gaussian, so it separates into a factor per column and one per row.
    gx, gy = scene.glow_centre[0] * dw, scene.glow_centre[1] * dh
    glow_radius = 0.45 * dw
    glow_cols = [math.exp(-((x - gx) / glow_radius) ** 2) for x in range(w)]
    glow_rows = [0.75 * math.exp(-((y - gy) / (0.8 * glow_radius)) ** 2) for y in range(h)]

    # Thin clouds: a few horizontal bands whose density varies along the band.
    cloud_colour = (255, 248, 244)
    bands = []
    for _ in range(3):
        centre = rng.uniform(0.10, 0.38) * dh
        thickness = rng.uniform(0.015, 0.035) * dh
        row_weight = [math.exp(-((y - centre) / thickness) ** 2) for y in range(h)]
        phases = [rng.uniform(0, 2 * math.pi) for _ in range(3)]
        density = []
        for x in range(w):
            u = x / scale
            s = (math.sin(2 * math.pi * 0.9 * u + phases[0]) +
                 0.6 * math.sin(2 * math.pi * 2.3 * u + phases[1]) +
                 0.3 * math.sin(2 * math.pi * 5.1 * u + phases[2]))
            density.append(0.38 * max(0.0, s / 1.9) ** 1.5)
        bands.append((row_weight, density))

    # A fine grain of +-2 levels keeps long gradients from showing bands.
    grain = [rng.randint(-2, 2) for _ in range(4099)]

    rows = []
    for y in range(h):
        t = smoothstep(y / horizon) ** 0.8
        sky_row = mix(scene.sky_top, scene.sky_horizon, t)
        glow_row = glow_rows[y]
        active_bands = [(rw[y], d) for rw, d in bands if rw[y] > 0.01]
        grain_offset = rng.randrange(len(grain))
        row = bytearray(3 * w)
        for x in range(w):
            # A ridge row is covered only in part by its layer; such edge pixels blend the
            # layer over whatever lies behind it, which keeps the outlines smooth.
            colour = None
            edges = None
            for solid, natural, hill, fade_length, mist_amount in layers:
                coverage = y + 1 - solid[x]
                if coverage <= 0:
                    continue
                f = (y - natural[x]) / fade_length
                f = 0.0 if f < 0 else 1.0 if f > 1 else f
                layer_colour = mix(hill, scene.mist, f * mist_amount)
                if coverage >= 1:
                    colour = layer_colour
                    break
                edges = (edges or []) + [(layer_colour, coverage)]
            if colour is None:
                colour = sky_row
                g = glow_cols[x] * glow_row
                if g > 0.004:
                    colour = mix(colour, scene.glow, g)
                for weight, density in active_bands:
                    c = weight * density[x]
                    if c > 0.002:
                        colour = mix(colour, cloud_colour, c)
            if edges:
                for layer_colour, coverage in reversed(edges):
                    colour = mix(colour, layer_colour, coverage)
            n = grain[(grain_offset + x) % len(grain)]
            i = 3 * x
            row[i] = clamp_byte(colour[2] + n)
            row[i + 1] = clamp_byte(colour[1] + n)
            row[i + 2] = clamp_byte(colour[0] + n)
        rows.append(row)

    lowest_ridge = [min(layer[0][x] for layer in layers) for x in range(w)]
    if scene.moon:
        draw_moon(rows, scene, lowest_ridge)
    draw_tower_windows(rows, towers)
    draw_motes(rows, scene, rng, lowest_ridge)
    return rows


def blend_pixel(rows, x, y, colour, alpha):
    row = rows[y]
    i = 3 * x
    row[i] = clamp_byte(row[i] + (colour[2] - row[i]) * alpha)
    row[i + 1] = clamp_byte(row[i + 1] + (colour[1] - row[i + 1]) * alpha)
    row[i + 2] = clamp_byte(row[i + 2] + (colour[0] - row[i + 2]) * alpha)


def draw_moon(rows, scene, lowest_ridge):
    """A pale moon with a soft halo, only where the sky shows."""
    mx = scene.moon[0] * scene.design_width
    my = scene.moon[1] * scene.design_height
    r = scene.moon[2] * scene.design_width
    halo = 3.5 * r
    face = (255, 252, 238)
    for y in range(max(0, int(my - halo)), min(scene.height, int(my + halo) + 1)):
        for x in range(max(0, int(mx - halo)), min(scene.width, int(mx + halo) + 1)):
            if y >= lowest_ridge[x]:
                continue
            d = math.hypot(x - mx, y - my)
            disc = min(max(r - d + 0.5, 0.0), 1.0)  # one pixel of anti-aliased edge
            glow = 0.35 * math.exp(-((d - r) / (0.9 * r)) ** 2) if d > r else 0.0
            alpha = max(0.92 * disc, glow)
            if alpha > 0.003:
                blend_pixel(rows, x, y, face, alpha)


def draw_tower_windows(rows, towers):
    """One warm lit window high in each tower."""
    for centre, body_top, _, body_height in towers:
        top = int(body_top + body_height * 0.18)
        for y in range(top, top + max(3, body_height // 12)):
            for x in range(centre - 1, centre + 1):
                blend_pixel(rows, x, y, (255, 226, 150), 0.9)


def draw_motes(rows, scene, rng, lowest_ridge):
    """Small soft lights drifting over the hills, like fireflies."""
    light = (255, 252, 226)
    for _ in range(scene.motes):
        cx = rng.uniform(0.05, 0.95) * scene.design_width
        ridge = lowest_ridge[int(cx)]
        cy = rng.uniform(ridge - 0.04 * scene.design_height, ridge + 0.2 * scene.design_height)
        radius = rng.uniform(1.6, 3.2)
        reach = int(3 * radius) + 1
        for y in range(max(0, int(cy) - reach), min(scene.height, int(cy) + reach + 1)):
            for x in range(max(0, int(cx) - reach), min(scene.width, int(cx) + reach + 1)):
                a = 0.85 * math.exp(-((x - cx) ** 2 + (y - cy) ** 2) / (radius * radius))
                if a > 0.01:
                    blend_pixel(rows, x, y, light, a)


def write_bmp(path, width, rows):
    """A 24-bit uncompressed BMP: 14-byte file header, 40-byte bitmap header, then the rows
    bottom row first. Widths are multiples of 4, so the rows need no padding."""
    assert width % 4 == 0
    height = len(rows)
    image_size = 3 * width * height
    with open(path, "wb") as f:
        f.write(b"BM")
        f.write(struct.pack("<IHHI", 14 + 40 + image_size, 0, 0, 14 + 40))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size,
                            3780, 3780, 0, 0))  # 3780 pixels per metre: 96 DPI
        for row in reversed(rows):
            f.write(row)


# --- Test sound -------------------------------------------------------------------------------

SAMPLE_RATE = 22050


def write_chime(path):
    """Two bell-like notes a fifth apart (E5, then B5), each with a soft attack, two overtones
    that die away faster than the fundamental, and a fade to silence at the end."""
    duration = 0.9
    notes = [(0.0, 659.26, 0.55), (0.14, 987.77, 0.45)]  # start (s), frequency (Hz), level
    partials = [(1.0, 1.0, 3.2), (2.0, 0.30, 6.0), (3.0, 0.12, 9.0)]  # ratio, level, decay 1/s
    attack = 0.012
    count = int(duration * SAMPLE_RATE)
    samples = []
    for n in range(count):
        t = n / SAMPLE_RATE
        v = 0.0
        for start, frequency, level in notes:
            local = t - start
            if local < 0:
                continue
            onset = smoothstep(local / attack)
            for ratio, partial_level, decay in partials:
                v += (level * partial_level * onset * math.exp(-decay * local) *
                      math.sin(2 * math.pi * frequency * ratio * local))
        tail = smoothstep((duration - t) / 0.12)  # the last 120 ms fade out completely
        samples.append(int(max(-1.0, min(1.0, 0.6 * v * tail)) * 32767))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SAMPLE_RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


# --- Icon -------------------------------------------------------------------------------------


def emblem_sample(u, v):
    """The emblem at one point (u, v in -1..1, v downwards): a dusk-blue medallion with a gold
    rim, dark hills along its lower edge and a four-pointed star. Returns (r, g, b, a)."""
    d = math.hypot(u, v)
    if d > 0.96:
        return (0, 0, 0, 0)
    if d > 0.80:  # the rim: gold, lighter towards the top-left
        shade = 0.5 - 0.5 * (u + v) / 1.4
        return (*mix((176, 120, 40), (255, 226, 130), shade), 255)
    colour = mix((34, 44, 112), (170, 92, 150), smoothstep((v + 0.8) / 1.6))
    hills = 0.45 + 0.10 * math.sin(3.0 * u + 0.6) + 0.05 * math.sin(7.0 * u)
    if v > hills:
        colour = (28, 30, 64)
    # The star: an astroid, whose concave sides give the four long points of a sparkle.
    sx, sy = u / 0.62, (v + 0.14) / 0.62
    star = abs(sx) ** (2 / 3) + abs(sy) ** (2 / 3)
    if star < 1.0:
        colour = mix((255, 214, 100), (255, 252, 232), smoothstep(1.0 - star))
    else:
        colour = mix(colour, (255, 230, 170), 0.35 * math.exp(-6 * math.hypot(sx, sy)))
    return (*colour, 255)


def render_icon_image(size):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), BGRA rows bottom-up,
    then the 1-bit AND mask (set where the icon is fully transparent), rows padded to 4 bytes."""
    samples = 4  # 4 x 4 samples per pixel smooth the edges
    pixels = []  # top row first
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    u = ((x + (sx + 0.5) / samples) / size) * 2 - 1
                    v = ((y + (sy + 0.5) / samples) / size) * 2 - 1
                    cr, cg, cb, ca = emblem_sample(u, v)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a > 0:
                row.append((r / a, g / a, b / a, a / (samples * samples)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)

    colour_bytes = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour_bytes += bytes((clamp_byte(b), clamp_byte(g), clamp_byte(r), clamp_byte(a)))
    mask_stride = ((size + 31) // 32) * 4
    mask_bytes = bytearray()
    for row in reversed(pixels):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if clamp_byte(a) == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask_bytes += line
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(colour_bytes) + len(mask_bytes), 0, 0, 0, 0)
    return header + colour_bytes + mask_bytes


def write_icon(path, sizes=(16, 32, 48)):
    """An ICO file: a 6-byte directory header, one 16-byte entry per image, then the images."""
    images = [render_icon_image(size) for size in sizes]
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))  # reserved, type 1 = icon, count
        for size, image in zip(sizes, images):
            # width, height, colour count, reserved, planes, bits per pixel, bytes, offset
            f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset))
            offset += len(image)
        for image in images:
            f.write(image)


# --- Main -------------------------------------------------------------------------------------


def main(argv):
    if len(argv) != 2:
        print("usage: make_assets.py OUTPUT_FOLDER", file=sys.stderr)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for scene in SCENES:
        write_bmp(os.path.join(folder, scene.file_name), scene.width, render_scene(scene))
    write_chime(os.path.join(folder, "tavrin.wav"))
    write_icon(os.path.join(folder, "tavrin.ico"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
