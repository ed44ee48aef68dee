#!/usr/bin/env python3
"""Makes the program's small images from the pixel drawings below, so they can be made again.

Writes, beside this script: the window icon as a raw icon image (icon30001.bin) and its icon group
(icongroup1.bin), for resources with fixed ids, and the two button glyphs as .ico files, each
with frames of 16, 20, 24 and 32 pixels for the display scales 100 % to 200 % (the larger ones
scaled up from the 16-pixel drawing), 256 colours, with a transparency mask ('.' is transparent);
and the About window's hand pointer, hand.cur, 32 x 32 pixels in black and white with a mask.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

PALETTE = {  # character: (red, green, blue)
    "k": (0x30, 0x30, 0x30),  # dark frame
    "g": (0x90, 0x98, 0xA0),  # steel
    "G": (0xC8, 0xD0, 0xD8),  # steel highlight
    "c": (0xB8, 0xE8, 0xFF),  # glass
    "w": (0x8B, 0x5A, 0x2B),  # wood
    "W": (0xB0, 0x7A, 0x40),  # wood highlight
    "b": (0x7E, 0xC8, 0xF0),  # light blue
    "B": (0x4A, 0xA0, 0xE0),  # light blue, shade
    "l": (0xE0, 0xF4, 0xFF),  # light blue, light
}

ICON = [  # a magnifying glass beside a hammer
    "...........ggggk",
    "..kkkk.....gGGgk",
    ".kccllk....ggggk",
    "kcclcck.....Ww..",
    "kclcccck....Ww..",
    "kcccccck....Ww..",
    "kcccccck....Ww..",
    ".kcccck.....Ww..",
    "..kkkkw.....Ww..",
    "......ww....Ww..",
    ".......ww...Ww..",
    "........ww..Ww..",
    ".........w..Ww..",
    "............Ww..",
    "............ww..",
    "................",
]

GLYPH_IP = [  # a globe: an address on the net
    "................",
    ".....BBBBBB.....",
    "...BBbllbbbBB...",
    "..BbllbBbbbbbB..",
    "..BbbbbBbbbbbB..",
    ".BBBBBBBBBBBBBB.",
    ".BbbbbbBbbbbbbB.",
    ".BbbbbbBbbbbbbB.",
    ".BbbbbbBbbbbbbB.",
    ".BBBBBBBBBBBBBB.",
    "..BbbbbBbbbbbB..",
    "..BbbbbBbbbbbB..",
    "...BBbbBbbbBB...",
    ".....BBBBBB.....",
    "................",
    "................",
]

GLYPH_HOSTNAME = [  # a computer: the named host
    "................",
    ".BBBBBBBBBBBBBB.",
    ".BllllllllllllB.",
    ".BlbbbbbbbbbblB.",
    ".BlbbbbbbbbbblB.",
    ".BlbbbbbbbbbblB.",
    ".BlbbbbbbbbbblB.",
    ".BlbbbbbbbbbblB.",
    ".BllllllllllllB.",
    ".BBBBBBBBBBBBBB.",
    "......BBBB......",
    "......BbbB......",
    "...BBBBBBBBBB...",
    "...BllllllllB...",
    "...BBBBBBBBBB...",
    "................",
]


HAND = [  # a pointing hand; the tip of the index finger is the hot spot (5, 0)
    "....kk",
    "...kwwk",
    "...kwwk",
    "...kwwk",
    "...kwwk",
    "...kwwkkk",
    "...kwwkwwkkk",
    "...kwwkwwkwwkk",
    "...kwwkwwkwwkwwk",
    "kk.kwwwwwwwwkwwk",
    "kwwkwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    ".kwwwwwwwwwwwwwk",
    ".kwwwwwwwwwwwwwk",
    "..kwwwwwwwwwwwwk",
    "..kwwwwwwwwwwwk",
    "...kwwwwwwwwwwk",
    "...kwwwwwwwwwwk",
    "....kwwwwwwwwk",
    "....kwwwwwwwwk",
    "....kkkkkkkkkk",
]
HAND_HOT_SPOT = (5, 0)
GLYPH_SIZES = (16, 20, 24, 32)  # 100 %, 125 %, 150 % and 200 %
# The window icon's small and big sizes at those scales, beyond the 16-pixel image of its own.
ICON_LARGE_SIZES = (20, 24, 32, 40, 48, 64)


def cursor_file(rows, hot_spot):
    """A 32 x 32 two-colour cursor: black 'k', white 'w', transparent '.'."""
    rows = [row.ljust(32, ".") for row in rows] + ["." * 32] * (32 - len(rows))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 32 * 4 * 2, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    colours = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        white = sum(1 << (31 - x) for x, c in enumerate(row) if c == "w")
        clear = sum(1 << (31 - x) for x, c in enumerate(row) if c == ".")
        colours += struct.pack(">I", white)
        mask += struct.pack(">I", clear)
    image = header + palette + bytes(colours) + bytes(mask)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_spot[0], hot_spot[1], len(image), 22)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


def icon_image(rows, bits=8):
    """A square icon image of 8 or 4 bits a pixel: header, palette, colour rows, mask rows (bottom-up)."""
    size = len(rows)
    chars = sorted(PALETTE)
    index = {c: i + 1 for i, c in enumerate(chars)}  # entry 0 is black, under the mask
    mask_stride = (size + 31) // 32 * 4
    colour_stride = (size * bits + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0,
                         size * colour_stride + size * mask_stride, 0, 0, 0, 0)
    palette = bytearray(4 << bits)
    for c, i in index.items():
        r, g, b = PALETTE[c]
        palette[4 * i:4 * i + 4] = bytes((b, g, r, 0))
    colours = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        assert len(row) == size
        pixels = [0 if c == "." else index[c] for c in row]
        if bits == 4:
            pixels = [pixels[x] << 4 | (pixels[x + 1] if x + 1 < size else 0) for x in range(0, size, 2)]
        colours += bytes(pixels).ljust(colour_stride, b"\0")
        clear = sum(1 << (mask_stride * 8 - 1 - x) for x, c in enumerate(row) if c == ".")
        mask += clear.to_bytes(mask_stride, "big")
    return header + bytes(palette) + bytes(colours) + bytes(mask)


def scaled(rows, size):
    """The drawing scaled to size x size pixels, nearest neighbour."""
    n = len(rows)
    return ["".join(rows[y * n // size][x * n // size] for x in range(size)) for y in range(size)]


def ico_file(rows, sizes=(16,), bits=8):
    images = [icon_image(scaled(rows, size), bits) for size in sizes]
    entries = b""
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits, len(image), offset)
        offset += len(image)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + b"".join(images)


def icon_group(image, image_id):
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", 16, 16, 0, 0, 1, 8, len(image), image_id)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    image = icon_image(ICON)
    write("icon30001.bin", image)
    write("icongroup1.bin", icon_group(image, 30001))
    # Sixteen colours are enough for the drawing, and keep the program file small.
    write("icon_large.ico", ico_file(ICON, ICON_LARGE_SIZES, bits=4))
    write("glyph_ip.ico", ico_file(GLYPH_IP, GLYPH_SIZES))
    write("glyph_hostname.ico", ico_file(GLYPH_HOSTNAME, GLYPH_SIZES))
    write("hand.cur", cursor_file(HAND, HAND_HOT_SPOT))
