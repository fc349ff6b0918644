#!/usr/bin/python3
# Writes the fuzz targets' seed corpora (corpus/<target>/) from cases of the host test tables.
# The first byte of each input picks the lead-byte set: 0 none (1252), 1 code page 932, 2 936,
# 3 949, 4 950, 5 1361, 6 twelve made-up range bytes that follow; texts end at a 0xFF byte.
import os

HERE = os.path.dirname(os.path.abspath(__file__))
END = b"\xff"

TAILS = [
    (0, b"C:\\Drivers\\Brevlin.exe /q"), (0, b'"C:\\My Setup\\Brevlin.exe"  /s /v'),
    (0, b"l.exe\t/q"), (0, b'C:\\Drivers\\Brevlin.exe"x y" /q'), (0, b'"a b c'),
    (0, b"l.exe /q  "), (0, b'"l.exe"a b'), (0, b"l.exe \x01\x02\x1f x"), (1, b"X\x82\xa0Y z"),
    (1, b"X\x81 Y"), (1, b"X\x82"), (1, b"C:\\x\\\x95\x5c"), (2, b"a\\\xfe\x5c"),
    (6, b"\x81\x9f\xe0\xfc" + b"\0" * 8 + b"X\x81\\ Y"),
]
PATHS = [
    (0, b"C:\\Drivers\\Brevlin.exe"), (0, b"C:\\Brevlin.exe"), (0, b"\\\\server\\share\\Brevlin.exe"),
    (0, b"C:\\D\\Brevlin.new.exe"), (0, b"C:\\Setup.old\\Launch"), (0, b"Brevlin.exe"),
    (1, b"C:\\\x95\x5c\\\x95\x5c.exe"), (0, b"C:\\" + b"d" * 251 + b"\\Brevlin"),
    (0, b"C:\\" + b"d" * 245 + b"\\Brevlin.exe"),
]
COMPOSE = [
    # lead set, size pick, folder, script path, SwapCmd, CMDEXE, tail
    (0, 0x80, b"C:\\Drivers", b"C:\\Drivers\\Brevlin.reg", 0, b"SetupGRM.exe", b"/q"),
    (0, 0x80, b"C:\\Drivers", b"C:\\Drivers\\Brevlin.reg", 1, b"Tools\\Setup2.exe", b'a "b c"\t'),
    (1, 0x80, b"C:\\\x95\x5c", b"C:\\\x95\x5c\\B.reg", 1, b"", b"\x82"),
    (0, 0x05, b"C:", b"C:\\B.reg", 0, b"", b"/q"),
    (0, 0x80, b"C:\\" + b"d" * 250, b"r" * 259, 1, b"c" * 259, b"t" * 3000),
]


def write(target, inputs):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for i, data in enumerate(inputs):
        with open(os.path.join(folder, f"seed-{i:02d}"), "wb") as f:
            f.write(data)


write("command_tail", [bytes([leads]) + line for leads, line in TAILS])
write("context", [bytes([leads]) + path for leads, path in PATHS])
write("compose", [bytes([leads, pick]) + folder + END + reg + END + bytes([swap]) + cmd + END + tail
                  for leads, pick, folder, reg, swap, cmd, tail in COMPOSE])
