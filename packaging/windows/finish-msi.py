"""Finishes an MSI that wixl made, with libmsi from the same msitools:
- the summary information's package code, times and language (German), which
  wixl takes from a random source, the clock and English;
- each program's version (from its version resource) and language in the
  File table, so Windows Installer's file-versioning rules apply;
- a rebuilt package of the same version upgrades an installed one (the
  Upgrade table's detection includes the version itself) instead of
  installing beside it;
- the launch condition that refuses Windows older than Windows 10 version
  1607 (build 14393), where the window cannot start; WINDOWSBUILD comes from
  the installer source's registry search.

Usage: finish-msi.py MSI PACKAGE_CODE EPOCH STAGE
"""
import struct
import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

GERMAN = "1031"
# Seconds between 1601 (Windows' FILETIME) and 1970, and FILETIME's ticks.
EPOCH_AS_FILETIME = 11644473600
TICKS_PER_SECOND = 10_000_000
VERSION_MAX_INCLUSIVE = 0x200
OLDEST_WINDOWS = ("Installed OR WINDOWSBUILD >= 14393",
                  "Lagewandler braucht Windows 10 Version 1607 oder neuer.")
FIXED_FILE_INFO = struct.pack("<I", 0xFEEF04BD)


def file_version(path):
    """The FILEVERSION of a program's version resource: '1.0.0.0'."""
    with open(path, "rb") as program:
        data = program.read()
    start = data.index(FIXED_FILE_INFO)
    most, least = struct.unpack_from("<II", data, start + 8)
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def run(database, sql):
    query = Libmsi.Query.new(database, sql)
    query.execute(None)
    query.close()


def allow_same_version_upgrade(database):
    """The attributes are part of the Upgrade table's key: the row is
    written anew with the version's upper bound included."""
    columns = "`UpgradeCode`, `VersionMin`, `VersionMax`, `Language`, `Attributes`, `Remove`, `ActionProperty`"
    upgrade = "`ActionProperty` = 'WIX_UPGRADE_DETECTED'"
    query = Libmsi.Query.new(database, f"SELECT {columns} FROM `Upgrade` WHERE {upgrade}")
    query.execute(None)
    row = query.fetch()
    query.close()
    row.set_int(5, row.get_int(5) | VERSION_MAX_INCLUSIVE)
    run(database, f"DELETE FROM `Upgrade` WHERE {upgrade}")
    query = Libmsi.Query.new(database, f"INSERT INTO `Upgrade` ({columns}) VALUES (?, ?, ?, ?, ?, ?, ?)")
    query.execute(row)
    query.close()


def main(msi, package_code, epoch, stage):
    database = Libmsi.Database.new(msi, Libmsi.DbFlags.TRANSACT, None)
    for file_key, name in (("WindowExe", "lagewandler.exe"), ("CompanionExe", "lagewandler-cli.exe")):
        version = file_version(f"{stage}/{name}")
        run(database, f"UPDATE `File` SET `Version` = '{version}', `Language` = '{GERMAN}' "
                      f"WHERE `File` = '{file_key}'")
    query = Libmsi.Query.new(database, "INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES (?, ?)")
    row = Libmsi.Record.new(2)
    row.set_string(1, OLDEST_WINDOWS[0])
    row.set_string(2, OLDEST_WINDOWS[1])
    query.execute(row)
    query.close()
    allow_same_version_upgrade(database)
    database.commit()

    summary = Libmsi.SummaryInfo.new(database, 8)
    summary.set_string(Libmsi.Property.UUID, package_code)
    summary.set_string(Libmsi.Property.TEMPLATE, f"x64;{GERMAN}")
    filetime = (int(epoch) + EPOCH_AS_FILETIME) * TICKS_PER_SECOND
    summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    summary.save(database)
    database.commit()


if __name__ == "__main__":
    main(*sys.argv[1:])
