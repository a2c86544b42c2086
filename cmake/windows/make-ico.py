#!/usr/bin/env python3
"""Packs square PNG images into one Windows icon file (.ico).

Each image is stored as PNG, which Windows reads in icons since Vista.
Usage: make-ico.py OUTPUT.ico IMAGE.png...
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("make-ico: not a PNG image")
    return struct.unpack(">II", data[16:24])


output, images = sys.argv[1], [open(path, "rb").read() for path in sys.argv[2:]]
if not images:
    sys.exit("make-ico: no images")
header = struct.pack("<HHH", 0, 1, len(images))
directory, offset = b"", 6 + 16 * len(images)
for data in images:
    width, height = png_size(data)
    # 256 is written as 0, as the format has one byte for each side.
    directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
with open(output, "wb") as out:
    out.write(header + directory + b"".join(images))
