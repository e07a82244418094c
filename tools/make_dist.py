#!/usr/bin/env python3
"""Packs the release zip: the DLL, its help pages, the read-me files and the licence.

The zip is the same bytes for the same files: entries in a fixed order, each with the same date
(1 January 1980, the earliest a zip can hold) and the same attributes; the read-me files get a
byte-order mark so that every Windows editor reads them as UTF-8.

usage: make_dist.py SOURCE_FOLDER QUORVEL_DLL OUT.zip
"""
import os
import sys
import zipfile

FIXED_DATE = (1980, 1, 1, 0, 0, 0)
BOM = b"\xef\xbb\xbf"


def entries(source, dll):
    yield "Quorvel.dll", open(dll, "rb").read()
    for page in ("Quorvel.html", "QuorvelE.html"):
        yield page, open(os.path.join(source, "docs", "help", page), "rb").read()
    for readme in ("Readme-ja.txt", "Readme-en.txt"):
        text = open(os.path.join(source, "docs", "readme", readme), "rb").read()
        yield readme, BOM + text.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    licence = open(os.path.join(source, "LICENSE.txt"), "rb").read()
    yield "LICENSE.txt", licence.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    source, dll, out = argv[1:]
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in entries(source, dll):
            info = zipfile.ZipInfo(name, FIXED_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix owner or mode in the entry
            info.external_attr = 0x20  # the archive attribute, as Windows gives a plain file
            archive.writestr(info, data, compresslevel=9)


if __name__ == "__main__":
    main(sys.argv)
