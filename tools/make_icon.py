#!/usr/bin/env python3
"""Draws the program's icon, resources/tolvane.ico: a white tile with a grey frame showing the
words LIST and NUMBER and the digits 1,2,3,4 in coloured pixel letters, as a 32 x 32 and a
16 x 16 image at 32 bits per pixel.

    tools/make_icon.py                 writes resources/tolvane.ico
    tools/make_icon.py OUT.ico         writes OUT.ico
    tools/make_icon.py --check ICO     exits 1 when ICO is not what this script draws
"""

import os
import struct
import sys

WHITE = (255, 255, 255)
GREY = (128, 128, 128)
BLUE = (30, 90, 200)
RED = (200, 40, 40)
DIGIT_COLOURS = [(34, 139, 34), (230, 126, 0), (128, 48, 160), (0, 128, 128)]
COMMA = (90, 90, 90)

# Pixel letters, five rows high; a sixth row hangs below the line (the comma's tail).
GLYPHS = {
    "L": ["X..", "X..", "X..", "X..", "XXX"],
    "I": ["XXX", ".X.", ".X.", ".X.", "XXX"],
    "S": [".XX", "X..", ".X.", "..X", "XX."],
    "T": ["XXX", ".X.", ".X.", ".X.", ".X."],
    "N": ["X..X", "XX.X", "X.XX", "X..X", "X..X"],
    "U": ["X.X", "X.X", "X.X", "X.X", "XXX"],
    "M": ["X...X", "XX.XX", "X.X.X", "X...X", "X...X"],
    "B": ["XX.", "X.X", "XX.", "X.X", "XX."],
    "E": ["XXX", "X..", "XX.", "X..", "XXX"],
    "R": ["XX.", "X.X", "XX.", "X.X", "X.X"],
    "1": [".X.", "XX.", ".X.", ".X.", "XXX"],
    "2": ["XX.", "..X", ".X.", "X..", "XXX"],
    "3": ["XX.", "..X", ".X.", "..X", "XX."],
    "4": ["X.X", "X.X", "XXX", "..X", "..X"],
    ",": [".", ".", ".", ".", "X", "X"],
}


def new_image(size):
    return [[WHITE for _ in range(size)] for _ in range(size)]


def draw_frame(image):
    size = len(image)
    for i in range(size):
        image[0][i] = image[size - 1][i] = image[i][0] = image[i][size - 1] = GREY


def text_width(text):
    return sum(len(GLYPHS[c][0]) for c in text) + len(text) - 1


def draw_text(image, text, top, colours):
    """Draws text centred on the row starting at top; colours gives one colour per character."""
    x = (len(image) - text_width(text)) // 2
    for char, colour in zip(text, colours):
        glyph = GLYPHS[char]
        for dy, row in enumerate(glyph):
            for dx, cell in enumerate(row):
                if cell == "X":
                    image[top + dy][x + dx] = colour
        x += len(glyph[0]) + 1


def large_image():
    image = new_image(32)
    draw_frame(image)
    draw_text(image, "LIST", 4, [BLUE] * 4)
    draw_text(image, "NUMBER", 13, [RED] * 6)
    digits = [DIGIT_COLOURS[0], COMMA, DIGIT_COLOURS[1], COMMA, DIGIT_COLOURS[2], COMMA,
              DIGIT_COLOURS[3]]
    draw_text(image, "1,2,3,4", 22, digits)
    return image


def small_image(large):
    """The large drawing at half size, framed crisply. Ink wins: a 2 x 2 block with any coloured
    pixel takes the colour that most of its coloured pixels have, so the letters stay saturated
    strokes instead of fading into the white."""
    size = len(large) // 2
    image = new_image(size)
    for y in range(1, size - 1):
        for x in range(1, size - 1):
            inks = [large[2 * y + j][2 * x + i] for j in (0, 1) for i in (0, 1)]
            inks = [p for p in inks if p != WHITE]
            if inks:
                image[y][x] = max(inks, key=inks.count)
    draw_frame(image)
    return image


def icon_image_data(image):
    """BITMAPINFOHEADER, bottom-up BGRA pixels (all opaque) and an all-clear AND mask."""
    size = len(image)
    mask_row = ((size + 31) // 32) * 4
    pixels = b"".join(bytes((b, g, r, 255)) for row in reversed(image) for (r, g, b) in row)
    mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + pixels + mask


def icon_file(images):
    count = len(images)
    data = [icon_image_data(image) for image in images]
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    for image, blob in zip(images, data):
        size = len(image)
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(data)


def main(args):
    large = large_image()
    ico = icon_file([large, small_image(large)])
    if args and args[0] == "--check":
        with open(args[1], "rb") as existing:
            if existing.read() != ico:
                print(f"{args[1]} differs from what tools/make_icon.py draws; rerun it")
                return 1
        return 0
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources",
                           "tolvane.ico")
    path = args[0] if args else default
    with open(path, "wb") as out:
        out.write(ico)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
