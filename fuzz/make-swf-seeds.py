#!/usr/bin/env python3
"""Writes the seed movies of swf_reader_fuzzer into swf-seeds/: small movies holding every
picture tag, every lossless format, FileAttributes and JPEG tables, and a first frame whose
actions ask for full screen in each way the reader follows, as FWS, CWS and ZWS."""
import lzma
import os
import struct
import zlib

FRAME = bytes([0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00, 0x00, 0x18, 0x01, 0x00])
SOI, EOI = b"\xff\xd8", b"\xff\xd9"
DQT = b"\xff\xdb\x00\x04\xaa\xbb"
DHT = b"\xff\xc4\x00\x04\xcc\xdd"
SOF = b"\xff\xc0\x00\x0b\x08\x00\x02\x00\x03\x01\x01\x11\x00"
SCAN = b"\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00\x12\x34\xff\x00\x56" + EOI


def tag(code, body):
    if len(body) < 0x3F:
        return struct.pack("<H", code << 6 | len(body)) + body
    return struct.pack("<HI", code << 6 | 0x3F, len(body)) + body


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, colour_type, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra +
            png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))


def lossless(code, ident, fmt, width, height, bitmap, colours=None):
    fields = struct.pack("<HBHH", ident, fmt, width, height)
    if colours is not None:
        fields += bytes([colours - 1])
    return tag(code, fields + zlib.compress(bitmap))


def movie(tags):
    return FRAME + b"".join(tags) + tag(0, b"")


def fws(body):
    return b"FWS\x0a" + struct.pack("<I", 8 + len(body)) + body


def cws(body):
    return b"CWS\x0a" + struct.pack("<I", 8 + len(body)) + zlib.compress(body)


def zws(body):
    alone = lzma.compress(body, format=lzma.FORMAT_ALONE)
    data = alone[13:]
    return b"ZWS\x0d" + struct.pack("<II", 8 + len(body), len(data)) + alone[:5] + data


JPEG = SOI + DQT + DHT + SOF + SCAN
PICTURES = movie([
    tag(69, b"\x09\x00\x00\x00"),
    tag(8, SOI + DQT + DHT + EOI),
    tag(6, struct.pack("<H", 1) + EOI + SOI + SOF + SCAN),
    tag(21, struct.pack("<H", 2) + EOI + SOI + JPEG[2:]),
    tag(35, struct.pack("<HI", 3, len(JPEG)) + JPEG + zlib.compress(bytes(6))),
    tag(90, struct.pack("<HIH", 4, len(JPEG), 0x100) + JPEG),
])
LOSSLESS = movie([
    lossless(20, 5, 3, 3, 2, bytes([255, 0, 0, 0, 0, 255, 0, 1, 0, 0, 1, 1, 5, 0]), 2),
    lossless(20, 6, 4, 3, 1, bytes([0x7C, 0x00, 0x03, 0xE0, 0x00, 0x10, 0, 0])),
    lossless(20, 7, 5, 2, 1, bytes([0, 10, 20, 30, 0, 1, 2, 3])),
    lossless(36, 8, 3, 2, 1, bytes([100, 50, 0, 255, 50, 0, 0, 128, 0, 1, 0, 0]), 2),
    lossless(36, 9, 5, 2, 1, bytes([128, 64, 32, 128, 0, 5, 5, 5])),
])
EMBEDDED = movie([
    tag(21, struct.pack("<H", 10) + png(2, 2, 6, bytes([1, 10, 20, 30, 40, 5, 5, 5, 5,
                                                        2, 1, 1, 1, 1, 2, 2, 2, 2]))),
    tag(21, struct.pack("<H", 11) + png(2, 1, 3, bytes([0, 1, 0]),
                                        png_chunk(b"PLTE", bytes(range(6))) +
                                        png_chunk(b"tRNS", b"\x80"))),
    tag(35, struct.pack("<HI", 12, 10) + b"GIF89a\x05\x00\x07\x00"),
])


def action(code, fields=b""):
    return bytes([code]) + (struct.pack("<H", len(fields)) + fields if code >= 0x80 else b"")


FULL_SCREEN = action(0x83, b"FSCommand:fullscreen\0true\0")
ACTIONS = movie([
    tag(12, action(0x88, struct.pack("<H", 2) + b"FSCommand:fullscreen\0true\0") +
        action(0x96, b"\x08\x00\x09\x01\x00") + action(0x9A, b"\x00") +
        action(0x96, b"\x00FSCommand:fullscreen\0\x05\x01\x07\x01\x00\x00\x00") +
        action(0x9A, b"\x00") +
        action(0x9B, b"f\0" + struct.pack("<HH", 0, len(FULL_SCREEN))) + FULL_SCREEN +
        action(0x8E, b"g\0" + struct.pack("<H", 1) + b"\x02\x00\x00\x01a\0" +
               struct.pack("<H", len(FULL_SCREEN))) + FULL_SCREEN +
        action(0x21) + FULL_SCREEN + b"\0"),
    tag(1, b""),
])

SEEDS = {
    "pictures.fws": fws(PICTURES),
    "pictures.cws": cws(PICTURES),
    "lossless.fws": fws(LOSSLESS),
    "lossless.zws": zws(LOSSLESS),
    "embedded.cws": cws(EMBEDDED),
    "embedded.zws": zws(EMBEDDED),
    "actions.fws": fws(ACTIONS),
    "actions.cws": cws(ACTIONS),
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "swf-seeds")
os.makedirs(folder, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)
