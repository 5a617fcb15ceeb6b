#!/usr/bin/env python3
"""Writes the corpus of malformed and hostile disc folders, one golden disc per case.

Each folder holds the disc's files, "case.txt" (the launcher's arguments, and the seconds its
window may take where 30 are too few; every case also runs through the real launcher) and
"expected.txt" in the golden discs' form:
  start: <the message that ends the start>   or   start: ok / window: "<title>" <w>x<h>
  check: exit <code>, then lines of the author's check
"..." in an expected line stands for any text; a last line "..." for any further lines.
"<disc>" stands for the disc folder (with its backslash).
"""
import os
import struct
import sys
import zlib

from picture_files import page as png_page, png

# A Dir outside the disc takes the default page file there too.
OUTSIDE = ["Autorun.inf:2: [Common] Dir: leads outside the disc",
           "Autorun.inf: [Common] DefaultIniFile: leads outside the disc",
           "Autorun.inf:2: [Common] Dir: the default page file \"...\" does not exist"]
PAGE = "[Main]\nTitle=Hostile\nBackgroundSize=[200, 120]\nBackgroundColor=336699\n"
WINDOW = {"title": "Hostile", "client": "200x120"}


def bitmap(width, height, rgb=0x336699, declared=None):
    """A bottom-up 24-bit BMP; `declared` lies about the size in the header."""
    row = (width * 3 + 3) & ~3
    pixels = (bytes([rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16]) * width).ljust(row, b"\0") * height
    w, h = declared or (width, height)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def png_claiming(width, height):
    """A one-pixel PNG whose header claims another size."""
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    one = png(1, 1, lambda x, y: (0, 0, 0, 255))
    return one[:8] + struct.pack(">I", 13) + b"IHDR" + ihdr + struct.pack(">I", zlib.crc32(b"IHDR" + ihdr)) + one[33:]


def jpeg_claiming(width, height):
    """The committed JPEG page with its frame header claiming another size."""
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "..", "tests", "data", "pages", "png-and-jpeg", "page.jpg"), "rb") as f:
        data = bytearray(f.read())
    at = 2
    while data[at + 1] not in (0xC0, 0xC1, 0xC2):
        at += 2 + struct.unpack(">H", data[at + 2:at + 4])[0]
    data[at + 5:at + 9] = struct.pack(">HH", height, width)
    return bytes(data)


class Sparse:
    """A file of this many bytes that takes no room on the disk: all of them are zero."""
    def __init__(self, size):
        self.size = size


def utf16(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


def many_commands(count, rect=None):
    lines = [PAGE.replace("[200, 120]", "[400, 900]"), "FontSize=1\nCommandsRect=[0, 0, 300, 0]\n"]
    for n in range(1, count + 1):
        lines.append("Command%d_Text=Item %d\n" % (n, n))
        top = (n - 1) % 600 * 1.5
        lines.append("Command%d_Rect=%s\n" % (n, rect or "[0, %d, 300, %d]" % (top, top + 1)))
    return "".join(lines).replace("Title=Hostile", "Title=Crowd")


def doubling_variables(levels):
    lines = ["[Variables]\nV0=0123456789abcdef\n"]
    for n in range(1, levels + 1):
        lines.append("V%d=$(V%d)$(V%d)\n" % (n, n - 1, n - 1))
    return "".join(lines) + PAGE + "Command1_Text=$(V%d)\nCommand1_Rect=[0, 0, 100, 20]\n" % levels


CASES = [
    # The file chain.
    ("no-root-file", {}, "", {"exit": -1, "output": "<disc>Autorun.inf was not found."},
     ["Autorun.inf: the file does not exist"], 1),
    ("empty-root-file", {"Autorun.inf": ""}, "", {"exit": -1, "output": "<disc>Autorun.inf is corrupted."},
     ["Autorun.inf: has no page [Main]"], 1),
    ("root-file-binary-garbage", {"Autorun.inf": bytes(range(1, 256)) * 4}, "",
     {"exit": -1, "output": "<disc>Autorun.inf is corrupted (line 1)."}, ["Autorun.inf: the launcher stops with: Background size and color weren't set for window \"\".",
      "Autorun.inf: has no page [Main]...",
      "Autorun.inf:1: the line is no [section], key=value line or comment; the launcher stops with: <disc>Autorun.inf is corrupted (line 1).",
      "Autorun.inf:17: ..."], 1),
    ("line-without-equals", {"Autorun.inf": PAGE + "Command1_Text=A\nthis line has no separator\n"}, "",
     {"exit": -1, "output": "<disc>Autorun.inf is corrupted (line 6)."}, ["Autorun.inf:5: [Main] CommandsRect: is missing, which makes Command1 (it has no Rect of its own) 0 pixels wide...",
      "Autorun.inf:6: the line is no [section], key=value line or comment; the launcher stops with: <disc>Autorun.inf is corrupted (line 6)."], 1),
    ("section-without-bracket", {"Autorun.inf": "[Main\n" + PAGE}, "",
     {"exit": -1, "output": "<disc>Autorun.inf is corrupted (line 1)."}, ["Autorun.inf:1: the line is no [section], key=value line or comment; the launcher stops with: <disc>Autorun.inf is corrupted (line 1)."], 1),
    ("utf16-odd-byte-count", {"Autorun.inf": utf16(PAGE) + b"\x41"}, "", WINDOW,
     ["Autorun.inf:5: the file has an odd number of bytes for UTF-16; the launcher leaves out its last byte"], 1),
    ("utf8-mark-then-invalid-bytes", {"Autorun.inf": b"\xef\xbb\xbf" + PAGE.encode() + b"CommentDefault=\xc3\x28\n"}, "", WINDOW,
     ["Autorun.inf:5: the line holds bytes that are not valid UTF-8; the launcher reads each broken sequence as the replacement character U+FFFD"], 1),
    ("page-file-utf16-odd", {"Autorun.inf": "[Common]\nDir=Pages\n", "Pages/Autorun0.ini": utf16(PAGE) + b"\x00"}, "-l:0",
     WINDOW, ["Pages\\Autorun0.ini:5: the file has an odd number of bytes for UTF-16; the launcher leaves out its last byte"], 1),
    ("dir-missing", {"Autorun.inf": "[Common]\nDir=NoSuchFolder\n" + PAGE}, "", WINDOW,
     ["Autorun.inf:2: [Common] Dir: the folder \"<disc>NoSuchFolder"], 1),
    ("dir-outside-the-disc", {"Autorun.inf": "[Common]\nDir=..\\..\n" + PAGE}, "", WINDOW,
     OUTSIDE, 1),
    ("dir-absolute-elsewhere", {"Autorun.inf": "[Common]\nDir=C:\\windows\n" + PAGE}, "", WINDOW, OUTSIDE, 1),
    ("default-page-file-outside", {"Autorun.inf": "[Common]\nDir=Pages\nDefaultIniFile=..\\..\\..\\evil.ini\n" + PAGE,
                                   "Pages/readme.txt": "no pages here"}, "", WINDOW,
     ["Autorun.inf:3: [Common] DefaultIniFile: leads outside the disc", "Autorun.inf:3: [Common] DefaultIniFile: the default page file"], 1),
    ("default-page-file-missing", {"Autorun.inf": "[Common]\nDir=Pages\n" + PAGE, "Pages/readme.txt": "x"}, "", WINDOW,
     ["Autorun.inf:2: [Common] Dir: the default page file"], 1),
    ("no-main-page", {"Autorun.inf": PAGE.replace("[Main]", "[Start]")}, "",
     {"exit": -1, "output": "<disc>Autorun.inf is corrupted."}, ["Autorun.inf: has no page [Main]"], 1),
    # Variables.
    ("variables-naming-each-other", {"Autorun.inf": "[Variables]\nA=$(B)\nB=$(A)\n" + PAGE.replace("Title=Hostile", "Title=$(A)")},
     "", {"title": "$(B)", "client": "200x120"}, ["Autorun.inf:2: [Variables] A: uses the variable \"B\", which is defined only further down"], 1),
    ("variable-naming-itself", {"Autorun.inf": "[Variables]\nX=$(X)x\n" + PAGE.replace("Title=Hostile", "Title=$(X)")},
     "", {"title": "$(X)x", "client": "200x120"}, ["Autorun.inf:2: [Variables] X: uses the variable \"X\", which is not defined"], 1),
    ("undefined-variable", {"Autorun.inf": PAGE.replace("Title=Hostile", "Title=$(Nope)")}, "",
     {"title": "$(Nope)", "client": "200x120"}, ["Autorun.inf:2: [Main] Title: uses the variable \"Nope\""], 1),
    ("unclosed-variable", {"Autorun.inf": PAGE.replace("Title=Hostile", "Title=a$(b")}, "",
     {"title": "a$(b", "client": "200x120"}, ["Autorun.inf:2: [Main] Title: has \"$(\" without a closing \")\""], 1),
    ("variables-doubling-thirty-times", {"Autorun.inf": doubling_variables(30)}, "", WINDOW,
     ["Autorun.inf:15: [Variables] V13: its variables would make it longer than 65536 characters", "..."], 1),
    # Pictures.
    ("background-truncated", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.bmp\n"),
                              "b.bmp": bitmap(200, 120)[:400]}, "", WINDOW,
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.bmp\" is cut short: 71654 bytes are missing"], 1),
    ("background-huge-declared-size", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.bmp\n"),
                                       "b.bmp": bitmap(4, 4, declared=(1000000, 1000000))}, "",
     {"exit": -1, "output": "Internal program error:\\nAutoRunWindow, 53."},
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.bmp\" cannot be read as a picture (a bitmap, PNG or JPEG)"], 1),
    ("background-not-a-picture", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.bmp\n"),
                                  "b.bmp": "just text"}, "", {"exit": -1, "output": "Internal program error:\\nAutoRunWindow, 53."},
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.bmp\" cannot be read as a picture (a bitmap, PNG or JPEG)"], 1),
    ("background-empty-file", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.bmp\n"),
                               "b.bmp": ""}, "", {"exit": -1, "output": "Internal program error:\\nAutoRunWindow, 53."},
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.bmp\" cannot be read as a picture (a bitmap, PNG or JPEG)"], 1),
    ("background-is-a-folder", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=Images\n"),
                                "Images/x.bmp": bitmap(2, 2)}, "",
     {"exit": -1, "output": "Background image \"<disc>Images\" was not found for \"Main\"."},
     ["Autorun.inf:3: [Main] Background: the launcher stops with: Background image"], 1),
    ("background-outside-the-disc", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n",
                                                                 "Background=..\\..\\..\\..\\nowhere.bmp\n")}, "",
     {"exit": -1, "output": "was not found for \"Main\"."}, ["Autorun.inf:3: [Main] Background: the launcher stops with: Background image"], 1),
    ("command-picture-truncated", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BackgroundImage=c.bmp\n",
                                   "c.bmp": bitmap(50, 20)[:100]}, "", WINDOW,
     ["Autorun.inf:7: [Main] Command1_BackgroundImage: the picture \"<disc>c.bmp\" is cut short: 2994 bytes are missing",
      "Autorun.inf:7: [Main] Command1_BackgroundImage: is not shown: a command without an action is a label, which shows its text alone"], 1),
    ("command-hover-picture-missing", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BackgroundImage=c.bmp\n"
                                                            "Command1_BackgroundHoverImage=gone.bmp\n", "c.bmp": bitmap(50, 20)}, "",
     {"exit": -1, "output": "Background image \"<disc>gone.bmp\" was not found for \"Main:Command1_\"."},
     ["Autorun.inf:7: [Main] Command1_BackgroundImage: is not shown: a command without an action is a label, which shows its text alone",
      "Autorun.inf:8: [Main] Command1_BackgroundHoverImage: the launcher stops with: Background image",
      "Autorun.inf:8: [Main] Command1_BackgroundHoverImage: is not shown: a command without an action is a label, which shows its text alone"], 1),
    ("picture-and-colour-together", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BackgroundImage=c.bmp\n"
                                                          "Command1_BackgroundColor=FF\n", "c.bmp": bitmap(50, 20)}, "",
     {"exit": -1, "output": "Wrong background settings for \"Main:Command1_\"."},
     ["Autorun.inf:7: [Main] Command1_BackgroundImage: is not shown: a command without an action is a label, which shows its text alone",
      "Autorun.inf:8: [Main] Command1_BackgroundColor: the launcher stops with: Wrong background settings",
      "Autorun.inf:8: [Main] Command1_BackgroundColor: is not shown: a command without an action is a label, which shows its text alone"], 1),
    ("icon-not-an-icon", {"Autorun.inf": "[Common]\nIcon=app.ico\n" + PAGE, "app.ico": "MZ not really"}, "",
     {"exit": -1, "output": "Unknown error. Error code: 0x0"},
     ["Autorun.inf:2: [Common] Icon: the icon \"<disc>app.ico\" cannot be read as an icon"], 1),
    # Commands and their geometry.
    # Wine makes the 10,000 command windows in about 30 s on a slow machine, most of it in its
    # server: the window must show, answer and close all the same.
    ("ten-thousand-commands", {"Autorun.inf": many_commands(10000)}, "",
     {"title": "Crowd", "client": "400x900", "patience": 120},
     ["Autorun.inf:1208: [Main] Command601_Rect: the command overlaps command 1", "..."], 1),
    ("duplicate-rectangles", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand2_Text=B\nCommand2_Rect=[0, 0, 50, 20]\n"},
     "", WINDOW, ["Autorun.inf:8: [Main] Command2_Rect: the command overlaps command 1"], 1),
    ("overlapping-rectangles", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand2_Text=B\nCommand2_Rect=[40, 10, 90, 30]\n"},
     "", WINDOW, ["Autorun.inf:8: [Main] Command2_Rect: the command overlaps command 1"], 1),
    ("command-outside-the-window", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[150, 100, 400, 300]\n"}, "", WINDOW,
     ["Autorun.inf:6: [Main] Command1_Rect: the command [150, 100, 400, 300] reaches outside its window of 200 x 120"], 1),
    ("numbering-gap", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand3_Text=C\n"}, "", WINDOW,
     ["Autorun.inf:7: [Main] Command3_Text: is never read"], 1),
    ("rectangle-beyond-int32", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 99999999999, 20]\n"}, "",
     {"exit": -1, "output": "Internal program error:\\nSettings, 491."},
     ["Autorun.inf:6: [Main] Command1_Rect: the value \"[0, 0, 99999999999, 20]\" is not a valid rectangle",
      "Autorun.inf:6: [Main] Command1_Rect: the margins leave no width for the text of a command 0 wide; the launcher stops"], 1),
    ("size-beyond-any-screen", {"Autorun.inf": PAGE.replace("[200, 120]", "[2147483647, 100]")}, "",
     {"exit": -1, "output": "Background size and color weren't set for window \"Main\"."},
     ["Autorun.inf:3: [Main] BackgroundSize: the value \"[2147483647, 100]\" is not a valid size",
      "Autorun.inf:3: [Main] BackgroundSize: the launcher stops with: Background size and color weren't set"], 1),
    ("border-and-hint-margin-at-the-limits", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\n"
                                               "Command1_Hint=h\nCommand1_HintMargin=2147483647\n"
                                               "Command1_BorderWidth=-2147483648\nCommand1_Action=$Exit\n"}, "", WINDOW,
     ["Autorun.inf:5: [Main] Command1_Text: the hint is cut: it needs 9 x 16 pixels from 2147483663 below the command's top"], 1),
    ("margins-eat-the-command", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_LeftMargin=30\nCommand1_RightMargin=30\n"},
     "", {"exit": -1, "output": "Internal program error:\\nSettings, 491."},
     ["Autorun.inf:7: [Main] Command1_LeftMargin: the margins leave no width for the text of a command 50 wide"], 1),
    ("font-size-absurd", {"Autorun.inf": PAGE + "FontSize=1e300\nFontRatio=nan\nCommand1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\n"}, "", WINDOW,
     ["Autorun.inf:5: [Main] FontSize: the value \"1e300\" is not a valid font size", "Autorun.inf:6: [Main] FontRatio: the value \"nan\""], 1),
    ("colour-not-hexadecimal", {"Autorun.inf": PAGE.replace("336699", "GGGGGG")}, "",
     {"exit": -1, "output": "Background size and color weren't set for window \"Main\"."},
     ["Autorun.inf:3: [Main] BackgroundSize: the launcher stops with: Background size and color weren't set",
      "Autorun.inf:4: [Main] BackgroundColor: the value \"GGGGGG\" is not a valid colour"], 1),
    ("border-without-colour", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BorderWidth=3\n"}, "",
     {"exit": -1, "output": "Internal program error:\\nSettings, 471."},
     ["Autorun.inf:7: [Main] Command1_BorderWidth: needs Command1_BorderColor",
      "Autorun.inf:7: [Main] Command1_BorderWidth: is not shown: a command without an action is a label, which shows its text alone"], 1),
    ("hover-colour-without-colour", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BackgroundHoverColor=FF\n"},
     "", {"exit": -1, "output": "Internal program error:\\nSettings, 442."},
     ["Autorun.inf:7: [Main] Command1_BackgroundHoverColor: needs Command1_BackgroundColor",
      "Autorun.inf:7: [Main] Command1_BackgroundHoverColor: is not shown: a command without an action is a label, which shows its text alone"], 1),
    ("title-of-a-hundred-thousand-characters", {"Autorun.inf": PAGE.replace("Title=Hostile", "Title=" + "W" * 100000) + "[Other]\n"
                                                "Title=Hostile\nBackgroundSize=[200, 120]\nBackgroundColor=0\n"},
     "-startupWindow:Other", WINDOW, [], 0),
    ("five-thousand-pages", {"Autorun.inf": PAGE + "".join("[Page%d]\nBackgroundSize=[10, 10]\nBackgroundColor=0\n" % n for n in range(5000))},
     "", WINDOW, [], 0),
    ("page-switch-to-no-page", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_Action=$main\n"}, "", WINDOW,
     ["Autorun.inf:7: [Main] Command1_Action: switches to the page \"main\""], 1),
    ("action-target-missing", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_Action=..\\..\\setup.exe\n"},
     "", WINDOW, ["Autorun.inf:7: [Main] Command1_Action: opens"], 1),
    # The command line.
    ("response-file-naming-itself", {"Autorun.inf": PAGE, "self.rsp": "@self.rsp -startupWindow:Main\n"}, "@self.rsp", WINDOW, [], 0),
    ("response-files-naming-each-other", {"Autorun.inf": PAGE, "a.rsp": "@b.rsp\n", "b.rsp": "@a.rsp\n"}, "@a.rsp", WINDOW, [], 0),
    # The check cannot be told apart from a normal start here: it reports what the start does.
    ("response-file-missing", {"Autorun.inf": PAGE}, "@missing.rsp", {"exit": -1, "output": "<disc>missing.rsp was not found.",
                                                                       "launcher": False}, [], 0),
    ("language-beyond-the-table", {"Autorun.inf": PAGE}, "-l:99", {"exit": -1, "output": "Invalid language code \"99\"."}, [], 0),
    ("language-huge", {"Autorun.inf": PAGE}, "-l:99999999999999999999", {"exit": -1, "output": "Invalid language code \"99999999999999999999\"."}, [], 0),
    # PNG and JPEG pictures, told by their content whatever their names say.
    ("background-png-named-bmp", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.bmp\n"),
                                  "b.bmp": png_page(200, 120)}, "", WINDOW, [], 0),
    ("background-png-cut-short", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.png\n"),
                                  "b.png": png_page(200, 120)[:900]}, "", {"exit": -1, "output": "Internal program error:\\nAutoRunWindow, 53."},
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.png\" cannot be read as a picture (a bitmap, PNG or JPEG)"], 1),
    ("background-png-huge-declared-size", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.png\n"),
                                           "b.png": png_claiming(100000, 100000)}, "",
     {"exit": -1, "output": "Internal program error:\\nAutoRunWindow, 53."},
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.png\" cannot be read as a picture (a bitmap, PNG or JPEG)"], 1),
    ("background-jpeg-huge-declared-size", {"Autorun.inf": PAGE.replace("BackgroundSize=[200, 120]\nBackgroundColor=336699\n", "Background=b.jpg\n"),
                                            "b.jpg": jpeg_claiming(65000, 65000)}, "",
     {"exit": -1, "output": "Internal program error:\\nAutoRunWindow, 53."},
     ["Autorun.inf:3: [Main] Background: the picture \"<disc>b.jpg\" cannot be read as a picture (a bitmap, PNG or JPEG)"], 1),
    ("command-jpeg-only-its-signature", {"Autorun.inf": PAGE + "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BackgroundImage=c.jpg\n",
                                         "c.jpg": b"\xff\xd8\xff\xe0" + bytes(12)}, "",
     {"exit": -1, "output": "Internal program error:\\nSettings, 400."},
     ["Autorun.inf:7: [Main] Command1_BackgroundImage: the picture \"<disc>c.jpg\" cannot be read as a picture (a bitmap, PNG or JPEG); the launcher stops with an internal error",
      "Autorun.inf:7: [Main] Command1_BackgroundImage: is not shown: a command without an action is a label, which shows its text alone"], 1),
    # A page file too large to be text, whose length a 32-bit size would cut short: refused
    # alike at 32 and 64 bits, before memory is asked for.
    ("page-file-of-three-gigabytes", {"Autorun.inf": "[Common]\nDir=Pages\n" + PAGE, "Pages/Autorun0.ini": Sparse(3 << 30)}, "-l:0",
     {"exit": -1, "output": "The text file <disc>Pages\\Autorun0.ini contains invalid characters.", "launcher": False},
     ["Pages\\Autorun0.ini: the launcher stops with: The text file <disc>Pages\\Autorun0.ini contains invalid characters."], 1),
    ("start-page-missing", {"Autorun.inf": PAGE}, "-startupWindow:Nowhere", {"exit": -1, "output": "<disc>Autorun.inf is corrupted."},
     ["Autorun.inf: has no page [Nowhere], where the option -startupWindow:Nowhere starts it; the launcher stops with: <disc>Autorun.inf is corrupted."], 1),
]


def expected_text(outcome, checks, check_exit):
    if "exit" in outcome:
        message = outcome["output"].split("\\n")
        if not (message[0].startswith("<disc>") or message[0][0].isupper()):
            message[0] = "..." + message[0]
        lines = ["start: " + message[0]] + message[1:] + ["..."]
    else:
        lines = ["start: ok", 'window: "%s" %s' % (outcome["title"], outcome["client"])]
    lines.append("check: exit %d" % check_exit)
    lines += [c if c.endswith("...") or c.endswith(".") else c + "..." for c in checks]
    return "\n".join(lines) + "\n"


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, files, args, outcome, checks, check_exit in CASES:
        folder = os.path.join(out, name)
        os.makedirs(folder, exist_ok=True)
        for path, content in files.items():
            target = os.path.join(folder, *path.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                if isinstance(content, Sparse):
                    f.truncate(content.size)
                else:
                    f.write(content.encode() if isinstance(content, str) else content)
        with open(os.path.join(folder, "case.txt"), "w", encoding="utf-8") as f:
            f.write("# a hostile disc\nargs: %s\nlauncher: %s\n" % (args, "yes" if outcome.get("launcher", True) else "no"))
            if "patience" in outcome:
                f.write("patience: %d\n" % outcome["patience"])
        with open(os.path.join(folder, "expected.txt"), "w", encoding="utf-8") as f:
            f.write(expected_text(outcome, checks, check_exit))
    print("%d hostile discs in %s" % (len(CASES), out))


if __name__ == "__main__":
    main()
