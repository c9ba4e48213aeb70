#!/usr/bin/env python3
"""The Windows installer under Wine, in a fresh prefix, as IT staff deploy it.

Usage: installer_test.py WINE INSTALLER.exe WINEPREFIX
Silent install; the program, its Start-menu shortcut and its uninstall entry are there, with
its icon and version information; the installed program runs a piped session; silent uninstall
leaves no file, shortcut or registry key behind.
"""
import glob
import os
import shutil
import subprocess
import sys

WINE, INSTALLER = sys.argv[1:3]
VERSION = INSTALLER.rsplit("dreisatz-", 1)[1].split("-")[0]
PREFIX = os.path.abspath(sys.argv[3])
# No Wine menu entries: they would be written into the home folder of the machine itself.
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all",
           WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
           LANG="C.UTF-8")
FOLDER = os.path.join(PREFIX, "drive_c", "Program Files", "Dreisatz-Trainer")
UNINSTALL_KEY = r"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dreisatz-Trainer]"


def wine(*arguments, stdin=None):
    result = subprocess.run([WINE, *arguments], env=ENV, input=stdin, capture_output=True,
                            timeout=300, start_new_session=True)
    # Registry files are written, and an uninstaller that restarts itself from a temporary
    # copy has finished, only once the server has no more clients.
    subprocess.run(["wineserver", "-w"], env=ENV, check=True, timeout=300)
    return result


def registry():
    return "".join(open(os.path.join(PREFIX, name), encoding="utf-8", errors="replace").read()
                   for name in ("system.reg", "user.reg"))


def shortcuts():
    return glob.glob(os.path.join(PREFIX, "drive_c", "**", "Dreisatz-Trainer*.lnk"),
                     recursive=True)


def check(condition, message):
    if not condition:
        raise SystemExit(f"FAILED: {message}")
    print(f"ok: {message}")


def main():
    shutil.rmtree(PREFIX, ignore_errors=True)
    wine("wineboot", "-i")

    wine(INSTALLER, "/S")
    program = os.path.join(FOLDER, "dreisatz.exe")
    check(os.path.isfile(program), "the program is installed in Program Files")
    binary = open(program, "rb").read()
    for text in ("Dreisatz-Trainer", "MIT License", VERSION):
        check(text.encode("utf-16-le") in binary, f"the version information names {text}")
    check(shortcuts(), "the Start menu has a shortcut")
    check(UNINSTALL_KEY in registry(), "the uninstaller is registered")

    session = wine(r"C:\Program Files\Dreisatz-Trainer\dreisatz.exe", stdin=b"0\r\n9\r\n")
    check(b" Du hast insgesamt 0 von 1 Punkten erreicht! " in session.stdout,
          "the installed program runs a piped session")

    wine(r"C:\Program Files\Dreisatz-Trainer\Uninstall.exe", "/S")
    check(not os.path.exists(FOLDER), "uninstalling removes the folder")
    check(not shortcuts(), "uninstalling removes the shortcut")
    check("dreisatz" not in registry().lower(), "uninstalling leaves no registry key")


if __name__ == "__main__":
    main()
