#!/usr/bin/env python3
"""Writes the PNG pictures of the test pages and the demo disc: soft-edged round buttons
with alpha and a page picture; make-hostile-discs.py takes its PNG files from here too.
The same bytes on every run, so the committed pictures change only when this script does.
  picture_files.py <root of the source tree>
The JPEG page picture is made from the PNG one with ImageMagick when it is at hand
(convert); the committed JPEG stands otherwise."""
import math
import os
import shutil
import struct
import subprocess
import sys
import zlib


def png(width, height, pixel):
    """A PNG of 8-bit RGBA pixels; pixel(x, y) gives (r, g, b, a)."""
    rows = b''.join(b'\0' + b''.join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))


def bitmap32(width, height, pixel, keep_alpha=True):
    """A bottom-up BMP of 32 bits a pixel; without `keep_alpha` its alpha bytes are all 0,
    as tools write that never meant alpha."""
    rows = b''.join(bytes((b, g, r, a if keep_alpha else 0)) for y in reversed(range(height)) for x in range(width)
                    for r, g, b, a in [pixel(x, y)])
    header = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 32, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def bitmap24(width, height, pixel):
    """A bottom-up BMP of 24 bits a pixel, its rows padded to four bytes."""
    pad = b'\0' * (-width * 3 % 4)
    rows = b''.join(b''.join(bytes((b, g, r)) for x in range(width) for r, g, b in [pixel(x, y)]) + pad
                    for y in reversed(range(height)))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def stripes(x, y):
    """Hard-edged stripes and a diagonal: every stretch that blends pixels shows here."""
    if (x + 2 * y) % 9 == 0:
        return (250, 250, 250)
    return [(200, 30, 40), (30, 160, 60), (40, 70, 210), (240, 200, 20), (20, 20, 30)][x * 5 // 29 % 5]


def button_pixels(width, height, top, bottom):
    """The pixels of a pill-shaped button, its colour running from `top` to `bottom`, its
    edge soft: pixel(x, y) gives (r, g, b, a)."""
    radius = height / 2

    def pixel(x, y):
        cx = min(max(x + 0.5, radius), width - radius)
        distance = math.hypot(x + 0.5 - cx, y + 0.5 - radius)
        alpha = max(0.0, min(1.0, radius - distance))
        t = y / (height - 1)
        colour = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
        return colour + [round(alpha * 255)]

    return pixel


def button(width, height, top, bottom):
    """A pill-shaped button as a PNG."""
    return png(width, height, button_pixels(width, height, top, bottom))


def page(width, height):
    """A page picture: a diagonal run from deep blue to teal, opaque."""
    return png(width, height, lambda x, y: (20 + x * 40 // width, 40 + (x + y) * 120 // (width + height),
                                            120 + y * 100 // height, 255))


def demo_page(scale):
    """The demo's page picture at `scale` (1 is its 600 x 400 design): a dark blue run under
    an amber bar, two light circles and a light panel behind the commands, their edges
    sampled 4 x 4 times a pixel. pixel(x, y) gives (r, g, b)."""
    def colour_at(x, y):
        if y < 7:
            return (242, 169, 0)
        c = [a + (b - a) * (y - 7) / 392 for a, b in zip((15, 43, 75), (31, 95, 139))]
        for inside, alpha in (((x - 520) ** 2 + (y - 60) ** 2 < 180 ** 2, 0.06),
                              ((x - 80) ** 2 + (y - 380) ** 2 < 180 ** 2, 0.06),
                              (32 <= x < 293 and 100 <= y < 373, 0.1)):
            if inside:
                c = [v + (255 - v) * alpha for v in c]
        return c

    def pixel(x, y):
        total = [0.0, 0.0, 0.0]
        for i in range(4):
            for j in range(4):
                total = [a + b for a, b in zip(total, colour_at((x + (i + 0.5) / 4) / scale,
                                                                 (y + (j + 0.5) / 4) / scale))]
        return tuple(int(v / 16 + 0.5) for v in total)

    return pixel


def demo_button(scale, stripe, mark, top, bottom):
    """A demo button at `scale` (1 is its 240 x 40 design): a `mark` stripe `stripe` wide at
    the left, its colour running from `top` to `bottom`. pixel(x, y) gives (r, g, b)."""
    height = 40 * scale
    return lambda x, y: mark if x < stripe * scale else tuple(
        round(a + (b - a) * y / (height - 1)) for a, b in zip(top, bottom))


def arrow(width, height, ink, paper):
    """Points right: a wedge whose base is the left edge and whose tip touches the right one,
    so a copy that was mirrored points left. pixel(x, y) gives `ink` or `paper`."""
    return lambda x, y: ink if abs(2 * y + 1 - height) * width <= (width - x) * height else paper


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as out:
        out.write(data)


def main(root):
    pages = os.path.join(root, 'tests', 'data', 'pages', 'png-and-jpeg')
    demo = os.path.join(root, 'demo', 'Pages', 'Images')
    states = {'button.png': ((120, 200, 255), (20, 90, 200)), 'button-hover.png': ((255, 210, 120), (220, 120, 20)),
              'button-click.png': ((20, 90, 200), (10, 40, 120))}
    for name, (top, bottom) in states.items():
        write(os.path.join(pages, name), button(96, 28, top, bottom))
        write(os.path.join(demo, 'round-' + name), button(180, 34, top, bottom))
    green = button_pixels(96, 28, (140, 230, 140), (20, 140, 40))
    write(os.path.join(pages, 'button-32bit.bmp'), bitmap32(96, 28, green))
    write(os.path.join(pages, 'button-32bit-no-alpha.bmp'), bitmap32(96, 28, green, keep_alpha=False))
    # A page picture whose edges are soft and its corners clear.
    write(os.path.join(pages, 'page-soft.png'), button(240, 80, (60, 120, 200), (10, 40, 90)))
    write(os.path.join(root, 'tests', 'data', 'pages', 'stretched-bitmaps', 'stripes.bmp'), bitmap24(29, 11, stripes))
    mixed = os.path.join(root, 'tests', 'data', 'pages', 'right-to-left-mixed')
    write(os.path.join(mixed, 'arrow-page.bmp'), bitmap24(240, 160, arrow(240, 160, (250, 220, 160), (250, 245, 235))))
    write(os.path.join(mixed, 'arrow.bmp'), bitmap24(100, 25, arrow(100, 25, (90, 140, 220), (220, 230, 250))))
    write(os.path.join(mixed, 'arrow-hover.bmp'), bitmap24(100, 25, arrow(100, 25, (220, 120, 20), (250, 230, 200))))
    write(os.path.join(mixed, 'arrow.png'), png(60, 25, arrow(60, 25, (20, 140, 60, 255), (0, 0, 0, 0))))
    # The demo's pictures for screens of twice the usual DPI. At their own size the same
    # drawings give the committed bitmap buttons byte for byte, and the committed page
    # picture within a few colour levels at the edges of its shapes.
    write(os.path.join(demo, 'main@2x.bmp'), bitmap24(1200, 800, demo_page(2)))
    demo_buttons = (
        ('button', 6, (242, 169, 0), (44, 111, 170), (29, 78, 137)),
        ('button-hover', 8, (255, 210, 77), (74, 144, 208), (44, 111, 170)),
        ('button-click', 8, (242, 169, 0), (22, 61, 107), (16, 44, 77)))
    for name, stripe, mark, top, bottom in demo_buttons:
        write(os.path.join(demo, name + '@2x.bmp'), bitmap24(480, 80, demo_button(2, stripe, mark, top, bottom)))
    for name, (top, bottom) in states.items():
        write(os.path.join(demo, 'round-' + name.replace('.png', '@2x.png')), button(360, 68, top, bottom))
    # And at one and a half times, for 144 dpi: a picture drawn at its size starts the page
    # sooner than one stretched down from twice.
    write(os.path.join(demo, 'main@1.5x.bmp'), bitmap24(900, 600, demo_page(1.5)))
    for name, stripe, mark, top, bottom in demo_buttons:
        write(os.path.join(demo, name + '@1.5x.bmp'), bitmap24(360, 60, demo_button(1.5, stripe, mark, top, bottom)))
    for name, (top, bottom) in states.items():
        write(os.path.join(demo, 'round-' + name.replace('.png', '@1.5x.png')), button(270, 51, top, bottom))
    # A page that scales as a whole; each variant in other colours than its picture.
    scaling = os.path.join(root, 'tests', 'data', 'pages', 'whole-page-scaling')
    write(os.path.join(scaling, 'page.png'), page(240, 160))
    write(os.path.join(scaling, 'page@2x.png'),
          png(480, 320, lambda x, y: (120 + x * 60 // 480, 40 + y * 40 // 320, 60, 255) if (x + y) % 16 else
              (250, 250, 250, 255)))
    write(os.path.join(scaling, 'button.png'), button(120, 30, (120, 200, 255), (20, 90, 200)))
    write(os.path.join(scaling, 'button@2x.png'), button(240, 60, (140, 230, 140), (20, 140, 40)))
    write(os.path.join(scaling, 'button-hover.png'), button(120, 30, (255, 210, 120), (220, 120, 20)))
    write(os.path.join(scaling, 'plain.bmp'), bitmap24(120, 30, stripes))
    write(os.path.join(scaling, 'plain@1.5x.bmp'),
          bitmap24(180, 45, lambda x, y: (200, 200, 240) if (x // 9 + y // 9) % 2 else (90, 90, 160)))
    picture = page(240, 160)
    write(os.path.join(pages, 'page.png'), picture)
    if shutil.which('convert'):
        subprocess.run(['convert', os.path.join(pages, 'page.png'), '-strip', '-quality', '90',
                        os.path.join(pages, 'page.jpg')], check=True)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
