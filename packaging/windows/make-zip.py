"""Writes a zip of the given files of a folder, each under its path in that
folder, in the order given, every entry with the same time and permissions,
so the same files give the same bytes.

Usage: make-zip.py ZIP EPOCH FOLDER FILE...   (EPOCH: seconds since 1970, UTC;
FILE relative to FOLDER, with "/" between folders)
"""
import os
import sys
import time
import zipfile

READ_AND_WRITE = 0o644


def main(zip_path, epoch, folder, *files):
    stamp = time.gmtime(int(epoch))[:6]
    with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as archive:
        for path in files:
            entry = zipfile.ZipInfo(path, date_time=stamp)
            entry.external_attr = READ_AND_WRITE << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, path), "rb") as source:
                archive.writestr(entry, source.read(), compresslevel=9)


if __name__ == "__main__":
    main(*sys.argv[1:])
