#!/usr/bin/env python3
"""Draws the program's icons from their SVG sources into .ico files.

Each icon holds 48, 32 and 16 pixel images, each once in 256 colours and once in 32-bit colour.
Needs rsvg-convert (Debian librsvg2-bin) and ImageMagick's convert. Run from anywhere:
    app/resources/icons/make_icons.py
"""
import os
import struct
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)
ICONS = [("tessaline.svg", "tessaline.ico"), ("tessaline_small.svg", "small.ico")]
SIZES = [48, 32, 16]


def render(svg, size):
    """RGBA rows of the drawing at size x size pixels."""
    png = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), svg],
                         check=True, capture_output=True).stdout
    raw = subprocess.run(["convert", "png:-", "-depth", "8", "rgba:-"], input=png,
                         check=True, capture_output=True).stdout
    pixels = [tuple(raw[k:k + 4]) for k in range(0, len(raw), 4)]
    return [pixels[row * size:(row + 1) * size] for row in range(size)]


def median_cut(colours, count):
    """At most `count` representative colours of the opaque pixels."""
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        boxes.sort(key=len)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        spans = [max(c[k] for c in box) - min(c[k] for c in box) for k in range(3)]
        channel = spans.index(max(spans))
        box.sort(key=lambda c: c[channel])
        middle = len(box) // 2
        boxes += [box[:middle], box[middle:]]
    return [tuple(sum(c[k] for c in box) // len(box) for k in range(3)) for box in boxes if box]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda k: sum((palette[k][c] - colour[c]) ** 2 for c in range(3)))


def and_mask(rows, transparent):
    """The 1-bit mask, bottom row first, each row padded to 32 bits: 1 where the pixel is clear."""
    size = len(rows)
    stride = (size + 31) // 32 * 4
    data = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if transparent(pixel):
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bytes(bits)
    return data


def bitmap_header(size, bits, image_bytes, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0, colours, 0)


def image_32bit(rows):
    size = len(rows)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = and_mask(rows, lambda p: p[3] == 0)
    return bitmap_header(size, 32, len(pixels) + len(mask), 0) + pixels + mask


def image_8bit(rows):
    """Pixels at least half covered keep their colour; the rest are cut out by the mask."""
    size = len(rows)
    opaque = [p[:3] for row in rows for p in row if p[3] >= 128]
    palette = median_cut(opaque, 256) or [(0, 0, 0)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}
    stride = (size + 3) // 4 * 4
    pixels = b""
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] >= 128:
                if p[:3] not in cache:
                    cache[p[:3]] = nearest(palette, p[:3])
                line[x] = cache[p[:3]]
        pixels += bytes(line)
    colour_table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    mask = and_mask(rows, lambda p: p[3] < 128)
    return bitmap_header(size, 8, len(pixels) + len(mask), 256) + colour_table + pixels + mask


def write_icon(svg, ico):
    images = []
    for size in SIZES:
        rows = render(svg, size)
        images.append((size, 8, image_8bit(rows)))
        images.append((size, 32, image_32bit(rows)))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, bits, data in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    with open(ico, "wb") as out:
        out.write(directory + b"".join(data for _, _, data in images))


def main():
    for svg, ico in ICONS:
        write_icon(os.path.join(HERE, svg), os.path.join(RESOURCES, ico))


if __name__ == "__main__":
    main()
