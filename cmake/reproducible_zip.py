#!/usr/bin/env python3
"""Zips the files of a folder so that the same files give the same bytes: sorted names, the
given time on every member, fixed permissions, no owner and no access or change times.

Usage: reproducible_zip.py OUT.zip EPOCH FOLDER
"""
import os
import sys
import time
import zipfile

out, epoch, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3]
stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for name in sorted(os.listdir(folder)):
        member = zipfile.ZipInfo(name, stamp)
        member.external_attr = 0o100644 << 16
        member.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(folder, name), "rb") as data:
            archive.writestr(member, data.read())
