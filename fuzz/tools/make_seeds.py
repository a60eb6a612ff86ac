#!/usr/bin/env python3
"""Writes the seed files of fuzz/corpus (all but the AVIs, which MakeSeeds.cpp writes with the
project's own writer). Run from the repository top: python3 fuzz/tools/make_seeds.py"""
import base64
import os
import shutil
import struct

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CORPUS = os.path.join(TOP, "fuzz", "corpus")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def settings_documents():
    with open(os.path.join(TOP, "camera", "resources", "DefaultConfig.xml"), "rb") as f:
        default = f.read()
    yield "default.xml", default
    char_format = base64.b64encode(bytes(range(92))).decode()
    filled = default.decode()
    for tag, text in (("FoldPath", "D:\\Album\\"), ("CharFormat", char_format),
                      ("TextContent", "Hello &amp; \u4e2d\u6587"), ("PhotoFrame", "Frame1"),
                      ("DisplaySize", " -7"), ("ZoomOut", "99999999999")):
        filled = filled.replace("<%s></%s>" % (tag, tag), "<%s>%s</%s>" % (tag, text, tag))
        filled = filled.replace("<%s>0</%s>" % (tag, tag), "<%s>%s</%s>" % (tag, text, tag))
        filled = filled.replace("<%s>4</%s>" % (tag, tag), "<%s>%s</%s>" % (tag, text, tag))
    yield "filled.xml", filled.encode()
    yield "bom-crlf.xml", b"\xef\xbb\xbf" + filled.replace("\n", "\r\n").encode()
    yield "comments.xml", (b"<?xml version=\"1.0\"?>\n<!-- kept -->\n<Setting><Unknown a='1'/>"
                           b"<ZoomOut>2</ZoomOut><![CDATA[x]]><Language/></Setting>\n")
    yield "truncated.xml", default[: len(default) // 2]
    yield "no-root.xml", b"<?xml version=\"1.0\"?>\n<Other><ZoomOut>1</ZoomOut></Other>\n"


def bmp(width, height, bits, pixels, header=40, compression=0, masks=None, colours=0, top_down=False):
    table = b"".join(struct.pack("<BBBB", i * 37 % 256, i * 91 % 256, i * 13 % 256, 0)
                     for i in range(colours))
    info = struct.pack("<IiiHHIIiiII", header, width, -height if top_down else height, 1, bits,
                       compression, len(pixels), 2835, 2835, colours, 0)
    if header > 40:
        extra = struct.pack("<IIII", *(masks or (0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)))
        info += (extra + bytes(header - 40))[: header - 40]
    offset = 14 + len(info) + len(table)
    file_header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return file_header + info + table + pixels


def rows(width, height, bits):
    stride = (width * bits + 31) // 32 * 4
    return bytes((x * 29 + y * 7) % 256 for y in range(height) for x in range(stride))


def main():
    for name, data in settings_documents():
        put("camera_settings", name, data)
        put("zel_parser", name, data)

    language = os.path.join(TOP, "camera", "libs", "PelUtility", "Language")
    for name in ("1033.lang", "2052.lang"):
        with open(os.path.join(language, name), "rb") as f:
            put("language", name, f.read())
    put("language", "escapes.lang", "\ufeff# c\r\n[mainmenu]\r\n  FILE = a\\tb\\nc\\\\ \r\n57665=x\r\n"
        "[ID_310]\nStatic.0=s\nTitle\n=empty key\n[broken\nkey=after broken\n")

    for name, text in (("plain", b"SGVsbG8sIHdvcmxkIQ=="), ("lines", b"AAEC\r\nAwQF\r\nBgc="),
                       ("char-format", base64.b64encode(bytes(range(92)))), ("odd", b"QUJ D=x")):
        put("base64", name, text)

    put("frame_bitmap", "32bit-4x3.bmp", bmp(4, 3, 32, rows(4, 3, 32)))
    put("frame_bitmap", "32bit-v5-bitfields.bmp", bmp(3, 2, 32, rows(3, 2, 32), header=124, compression=3))
    put("frame_bitmap", "32bit-no-alpha.bmp", bmp(2, 2, 32, rows(2, 2, 32), header=108, compression=3,
                                                  masks=(0xFF0000, 0xFF00, 0xFF, 0)))
    put("frame_bitmap", "24bit.bmp", bmp(3, 2, 24, rows(3, 2, 24)))
    put("frame_bitmap", "top-down.bmp", bmp(2, 2, 32, rows(2, 2, 32), top_down=True))
    put("frame_bitmap", "short-pixels.bmp", bmp(4, 4, 32, rows(4, 4, 32))[:-5])

    for name, text in (("zero", b"0"), ("number", b"42"), ("spaces", b"  \n7\n"), ("negative", b"-3"),
                       ("text", b"abc"), ("too-large", b"99999999999"), ("empty", b""), ("blank", b" \t\r\n")):
        put("counter_file", name, text)

    for bits, colours in ((1, 2), (4, 16), (8, 256), (16, 0), (24, 0), (32, 0)):
        put("dib_rows", "%dbit.bmp" % bits, bmp(5, 3, bits, rows(5, 3, bits), colours=colours))
    put("dib_rows", "24bit-wide.bmp", bmp(17, 2, 24, rows(17, 2, 24)))
    put("dib_rows", "bad-bits.bmp", bmp(2, 2, 12, rows(2, 2, 12)))


if __name__ == "__main__":
    main()
