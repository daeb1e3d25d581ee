"""Finishes an MSI that wixl made, with libmsi from the same msitools:
- the summary information's times and language (German), which wixl takes
  from the clock and English;
- the package code (which wixl takes from a random source) and the product
  code, both derived from the finished MSI's own bytes, made first with a
  fixed placeholder for each. Two MSIs that this makes differ in a byte
  exactly when their package codes differ, and then their product codes
  differ too: Windows Installer takes a package whose product code is
  installed under another package code for a small update, and refuses a
  plain install of it (error 1638). A signature that make-packages adds
  afterwards changes neither code: an MSI and its signed copy are one
  package;
- each program's version (from its version resource) and language in the
  File table, so Windows Installer's file-versioning rules apply, and no
  MsiFileHash row for a file with a version (the table is for unversioned
  files only);
- a rebuilt package of the same version upgrades an installed one (the
  Upgrade table's detection includes the version itself) instead of
  installing beside it;
- the launch condition that refuses Windows older than Windows 10 version
  1607 (build 14393), where the window cannot start; WINDOWSBUILD comes from
  the installer source's registry search. The LaunchConditions action runs
  in both install sequences, after AppSearch; where it is missing it is
  added, and a sequence that then lacks it fails the build.

Usage: finish-msi.py MSI EPOCH STAGE   (MSI made by wixl with the placeholder product code)
"""
import struct
import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

from guid import guid_of  # noqa: E402

GERMAN = "1031"
# Seconds between 1601 (Windows' FILETIME) and 1970, and FILETIME's ticks.
EPOCH_AS_FILETIME = 11644473600
TICKS_PER_SECOND = 10_000_000
VERSION_MAX_INCLUSIVE = 0x200
OLDEST_WINDOWS = ("Installed OR WINDOWSBUILD >= 14393",
                  "Lagewandler braucht Windows 10 Version 1607 oder neuer.")
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD
RT_VERSION = 16
RESOURCE_TABLE = 2  # the data directory of the resources
SUBDIRECTORY = 0x80000000
PLACEHOLDER_CODE = "{00000000-0000-0000-0000-000000000000}"
SEQUENCES = ("InstallExecuteSequence", "InstallUISequence")
LAUNCH_CONDITIONS_STEP = 100  # Windows Installer's suggested place, after AppSearch (50)


def version_resource(data):
    """The bytes of the first version resource (RT_VERSION) of a PE file."""
    header = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, header + 6)
    optional = header + 24
    directories = optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 96)
    resources_rva = struct.unpack_from("<I", data, directories + 8 * RESOURCE_TABLE)[0]
    section = optional + optional_size
    for _ in range(sections):
        size, address, raw_size, raw = struct.unpack_from("<IIII", data, section + 8)
        if address <= resources_rva < address + max(size, raw_size):
            break
        section += 40
    else:
        raise ValueError("no resource section")
    to_file = raw - address  # file offset of an address in that section
    base = resources_rva + to_file

    def first_entry(directory, wanted=None):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for index in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * index)
            if wanted is None or name == wanted:
                return target
        raise ValueError("no version resource")

    names = first_entry(0, RT_VERSION) & ~SUBDIRECTORY
    languages = first_entry(names) & ~SUBDIRECTORY
    data_rva, data_size = struct.unpack_from("<II", data, base + first_entry(languages))
    return data[data_rva + to_file:data_rva + to_file + data_size]


def file_version(path):
    """The FILEVERSION of a program's version resource: '1.0.0.0'."""
    with open(path, "rb") as program:
        info = version_resource(program.read())
    # VS_VERSIONINFO: three WORDs, the key "VS_VERSION_INFO", padding to 32
    # bits, then VS_FIXEDFILEINFO.
    key = "VS_VERSION_INFO\0".encode("utf-16-le")
    fixed = (6 + len(key) + 3) & ~3
    if info[6:6 + len(key)] != key or struct.unpack_from("<I", info, fixed)[0] != FIXED_FILE_INFO_SIGNATURE:
        raise ValueError(f"{path}: no VS_FIXEDFILEINFO in its version resource")
    most, least = struct.unpack_from("<II", info, fixed + 8)
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


def sequenced(database, table, action):
    query = Libmsi.Query.new(database, f"SELECT `Action` FROM `{table}` WHERE `Action` = '{action}'")
    query.execute(None)
    found = query.fetch() is not None
    query.close()
    return found


def sequence_launch_conditions(database):
    """LaunchConditions in both sequences; raises where it cannot be."""
    for table in SEQUENCES:
        if not sequenced(database, table, "LaunchConditions"):
            run(database, f"INSERT INTO `{table}` (`Action`, `Sequence`) "
                          f"VALUES ('LaunchConditions', {LAUNCH_CONDITIONS_STEP})")
        if not sequenced(database, table, "LaunchConditions"):
            raise SystemExit(f"finish-msi.py: LaunchConditions is not in {table}")


def write_summary(database, package_code, epoch):
    summary = Libmsi.SummaryInfo.new(database, 8)
    summary.set_string(Libmsi.Property.UUID, package_code)
    summary.set_string(Libmsi.Property.TEMPLATE, f"x64;{GERMAN}")
    filetime = (int(epoch) + EPOCH_AS_FILETIME) * TICKS_PER_SECOND
    summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    summary.save(database)
    database.commit()


def main(msi, epoch, stage):
    database = Libmsi.Database.new(msi, Libmsi.DbFlags.TRANSACT, None)
    for file_key, name in (("WindowExe", "lagewandler.exe"), ("CompanionExe", "lagewandler-cli.exe")):
        version = file_version(f"{stage}/{name}")
        run(database, f"UPDATE `File` SET `Version` = '{version}', `Language` = '{GERMAN}' "
                      f"WHERE `File` = '{file_key}'")
        run(database, f"DELETE FROM `MsiFileHash` WHERE `File_` = '{file_key}'")
    query = Libmsi.Query.new(database, "INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES (?, ?)")
    row = Libmsi.Record.new(2)
    row.set_string(1, OLDEST_WINDOWS[0])
    row.set_string(2, OLDEST_WINDOWS[1])
    query.execute(row)
    query.close()
    allow_same_version_upgrade(database)
    sequence_launch_conditions(database)
    database.commit()
    write_summary(database, PLACEHOLDER_CODE, epoch)
    del database
    # Both codes from the bytes finished with the placeholders.
    with open(msi, "rb") as finished:
        content = finished.read()
    database = Libmsi.Database.new(msi, Libmsi.DbFlags.TRANSACT, None)
    run(database, f"UPDATE `Property` SET `Value` = '{guid_of(b'product' + content)}' "
                  f"WHERE `Property` = 'ProductCode'")
    database.commit()
    write_summary(database, guid_of(content), epoch)


if __name__ == "__main__":
    main(*sys.argv[1:])
