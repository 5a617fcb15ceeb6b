#!/usr/bin/env python3
"""Writes discs made at random from a seed, for the test that the author's check and the
launcher agree: keys of the page format with valid, malformed and extreme values; missing,
empty and broken pictures; variables; several pages and languages.

  make-generated-discs.py <folder> [--seed N] [--count N]

Each disc is a folder "disc-<n>" with its files and "case.txt" (the user's language). The
same seed writes the same discs."""
import argparse
import os
import random
import shutil
import struct

from picture_files import png

PAGE_NAMES = ["Main", "Second", "Third", "main"]
ACTIONS = ["", "$Back", "$Exit", "$Close", "$CD", "$back", "https://example.com/", "HTTP://example.com/",
           "setup.exe", "missing.exe", "$FileURL$docs", "$ExtCommand$notepad.exe"]
LANGUAGES = [(1033, 0), (1031, 7), (1036, 12)]  # user language ids and the page files they choose


def bitmap(width, height):
    row = (width * 3 + 3) & ~3
    pixels = (b"\x99\x66\x33" * width).ljust(row, b"\0") * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


PICTURES = {
    "good.bmp": bitmap(64, 48),
    "small.bmp": bitmap(8, 8),
    "good.png": png(16, 16, lambda x, y: (x * 16, y * 16, 128, 255)),
    "text.bmp": b"this is no picture\r\n",
    "empty.bmp": b"",
    "cut.png": png(16, 16, lambda x, y: (1, 2, 3, 255))[:60],
    "cut.bmp": bitmap(64, 48)[:300],
}
PICTURE_VALUES = list(PICTURES) + ["gone.bmp", "pics/good.bmp", "$(Pic)"]


class Disc:
    def __init__(self, rng):
        self.rng = rng

    def pick(self, *choices):
        return self.rng.choice(choices)

    def maybe(self, chance=0.5):
        return self.rng.random() < chance

    def number(self):
        return self.pick(str(self.rng.randint(0, 400)), str(self.rng.randint(-50, 50)), "2147483647", "-2147483648",
                         "99999999999", "12px", "abc", "", " 7 ", "0x10", "1.5in")

    def colour(self):
        return self.pick("FF0000", "336699", "000000", "FFFFFF", "GG0000", "12345", "", "0xFF00FF", "red")

    def rect(self):
        r = self.rng.randint
        return self.pick("[%d, %d, %d, %d]" % (r(0, 200), r(0, 200), r(0, 400), r(0, 400)),
                         "[%d, %d, %d, %d]" % (r(0, 60), r(0, 60), r(60, 300), r(60, 200)),
                         "[0, 0, 0, 0]", "[1, 2, 3]", "[a, b, c, d]", "[-10, -10, 50, 50]",
                         "[0, 0, 2147483647, 2147483647]", "[-2147483648, 0, 2147483647, 20]", "")

    def ratio(self):
        return self.pick("1.8", "0.6", "0", "-1", "1e300", "abc", "2.5", "1e-300", "")

    def page(self, name, names):
        lines = ["[%s]" % name]
        add = lines.append
        kind = self.rng.randint(0, 5)
        if kind <= 2:
            add("Background=%s" % self.pick(*PICTURE_VALUES))
        if kind >= 2 or self.maybe(0.1):
            add("BackgroundSize=%s" % self.pick("[300, 200]", "[640, 480]", "[0, 0]", "[1, 1]", "[x, y]", "[300]"))
        if kind >= 2 or self.maybe(0.1):
            add("BackgroundColor=%s" % self.colour())
        if self.maybe():
            add("Title=Page %s $(Name)" % name)
        for key in ("FontName", "FontCommentName"):
            if self.maybe(0.3):
                add("%s=%s" % (key, self.pick("Arial", "Tahoma", "")))
        for key in ("FontSize", "FontCommentSize"):
            if self.maybe(0.6):
                add("%s=%s" % (key, self.pick("12", "-10", "0", "8pt", "huge", "2147483647", "12")))
        for key in ("FontRatio", "SpaceRatio"):
            if self.maybe(0.3):
                add("%s=%s" % (key, self.ratio()))
        for key in ("FontSelectedColor", "FontNotSelectedColor", "FontUnusableColor", "FontCommentColor"):
            if self.maybe(0.2):
                add("%s=%s" % (key, self.colour()))
        if self.maybe(0.3):
            add("FontUnderlined=%s" % self.pick("1", "0", "true", "yes", ""))
        if self.maybe(0.6):
            add("CommandsRect=%s" % self.rect())
        if self.maybe(0.4):
            add("CommentRect=%s" % self.rect())
        if self.maybe(0.3):
            add("CommentDefault=About %s\\nsecond line" % name)
        count = self.rng.randint(0, 5)
        for n in range(1, count + 1):
            if n == 3 and self.maybe(0.2):
                continue  # a gap ends the list
            self.command(lines, n, names)
        if self.maybe(0.1):
            add("Titel=misspelt")
        return lines

    def command(self, lines, n, names):
        add = lines.append
        p = "Command%d_" % n
        if self.maybe(0.9):
            add(p + "Text=Item %d" % n)
        if self.maybe(0.5) or not lines[-1].startswith(p):
            add(p + "Rect=%s" % self.rect())
        if self.maybe(0.7):
            add(p + "Action=%s" % self.pick(*(ACTIONS + ["$" + x for x in names])))
        if self.maybe(0.15):
            add(p + "Action64=%s" % self.pick(*ACTIONS))
        if self.maybe(0.3):
            add(p + "BackgroundImage=%s" % self.pick(*PICTURE_VALUES))
            for key in ("BackgroundHoverImage", "BackgroundClickImage"):
                if self.maybe(0.3):
                    add(p + "%s=%s" % (key, self.pick(*PICTURE_VALUES)))
        for key in ("BackgroundColor", "BackgroundHoverColor", "BackgroundClickColor"):
            if self.maybe(0.2):
                add(p + "%s=%s" % (key, self.colour()))
        if self.maybe(0.2):
            add(p + "BorderWidth=%s" % self.pick("1", "0", "3", "-2", "x"))
            if self.maybe(0.6):
                add(p + "BorderColor=%s" % self.colour())
        for key in ("LeftMargin", "TopMargin", "RightMargin", "BottomMargin", "HintMargin"):
            if self.maybe(0.12):
                add(p + "%s=%s" % (key, self.number()))
        for key in ("FontSize", "HintFontSize"):
            if self.maybe(0.1):
                add(p + "%s=%s" % (key, self.pick("10", "0", "-8", "big")))
        if self.maybe(0.15):
            add(p + "TextOrientation=%s" % self.pick("center", "CENTER", "left", ""))
        if self.maybe(0.15):
            add(p + "FontSelectedColor=%s" % self.colour())
        for key in ("Comment", "Hint", "Tooltip"):
            if self.maybe(0.2):
                add(p + "%s=%s of %d" % (key, key, n))

    def page_file(self, with_common):
        names = [self.pick("Main", "Main", "Main", "main", "Second")]
        for _ in range(self.rng.randint(0, 2)):
            names.append(self.pick(*PAGE_NAMES))
        lines = []
        if self.maybe(0.3):
            lines += ["[Variables]", "Name=%s" % self.pick("disc", "$(Name)", "$(Other)"),
                      "Pic=%s" % self.pick(*PICTURES)]
        if with_common and self.maybe(0.2):
            lines += ["[Common]", "Icon=%s" % self.pick("gone.ico", "")]
        for name in names:
            lines += self.page(name, names)
        return "\r\n".join(lines) + "\r\n"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def make(folder, rng):
    disc = Disc(rng)
    for name, data in PICTURES.items():
        if disc.maybe(0.9):
            write(os.path.join(folder, name), data)
    write(os.path.join(folder, "pics", "good.bmp"), PICTURES["good.bmp"])
    write(os.path.join(folder, "setup.exe"), b"MZ")
    user, _ = disc.pick(*LANGUAGES)
    write(os.path.join(folder, "case.txt"), "user language: %d\n" % user)
    if disc.maybe(0.6):
        write(os.path.join(folder, "Autorun.inf"), disc.page_file(True))
        return
    root = ["[Common]", "Dir=%s" % disc.pick("Pages", "Pages", "Gone")]
    if disc.maybe(0.2):
        root.append("DefaultIniFile=%s" % disc.pick("Other.ini", "", "Autorun0.ini"))
    if disc.maybe(0.3):
        root += ["[Main]", "BackgroundSize=[100, 100]", "BackgroundColor=000000"]
    write(os.path.join(folder, "Autorun.inf"), "\r\n".join(root) + "\r\n")
    for _, code in LANGUAGES:
        if disc.maybe(0.5):
            write(os.path.join(folder, "Pages", "Autorun%d.ini" % code), disc.page_file(True))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--seed", type=int, default=20261208)
    parser.add_argument("--count", type=int, default=1000)
    args = parser.parse_args()
    shutil.rmtree(args.folder, ignore_errors=True)
    rng = random.Random(args.seed)
    for n in range(args.count):
        make(os.path.join(args.folder, "disc-%04d" % n), rng)
    print("%d discs of seed %d in %s" % (args.count, args.seed, args.folder))


if __name__ == "__main__":
    main()
