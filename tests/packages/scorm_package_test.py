#!/usr/bin/env python3
"""The trainer's SCORM 1.2 packages, as the web build makes them: each manifest valid against
the IMS Content Packaging 1.1.2 and ADL SCORM 1.2 schemas (tests/packages/scorm12/) and true to its
package: one SCO, every file of the package listed and every listed file there, the titles,
the mastery score and the goal. Broken manifests are rejected by the same check.

Usage: scorm_package_test.py XMLLINT BUILD_DIR [unittest arguments]
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

XMLLINT, BUILD_DIR = sys.argv[1], sys.argv[2]
SCHEMAS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scorm12")
CP = "{http://www.imsproject.org/xsd/imscp_rootv1p1p2}"
ADL = "{http://www.adlnet.org/xsd/adlcp_rootv1p2}"
# The packages as web/platform/packages.txt lists them: name, launch data, title.
HERE = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(HERE, "../../web/platform/packages.txt"), encoding="utf-8") as listed:
    PACKAGES = [line.rstrip("\n").split("|") for line in listed if not line.startswith("#")]


class ManifestError(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise ManifestError(what)


def check_package(folder, manifest, launch, title):
    """Raises ManifestError naming what is wrong with the manifest of the package in folder."""
    with tempfile.TemporaryDirectory() as work:
        for name in os.listdir(SCHEMAS):
            if name.endswith(".xsd"):
                shutil.copy(os.path.join(SCHEMAS, name), work)
        with open(os.path.join(work, "imsmanifest.xml"), "w", encoding="utf-8") as out:
            out.write(manifest)
        run = subprocess.run([XMLLINT, "--noout", "--schema", "adlcp_rootv1p2.xsd",
                              "imsmanifest.xml"], cwd=work, capture_output=True, text=True)
        expect(run.returncode == 0, f"not valid:\n{run.stderr}")

    root = ET.fromstring(manifest)
    metadata = root.find(CP + "metadata")
    expect((metadata.findtext(CP + "schema"), metadata.findtext(CP + "schemaversion")) ==
           ("ADL SCORM", "1.2"), "not SCORM 1.2 (platforms read it from the metadata)")
    organizations = root.find(CP + "organizations")
    organization = [o for o in organizations.findall(CP + "organization")
                    if o.get("identifier") == organizations.get("default")]
    expect(len(organization) == 1, "no default organization")
    expect(organization[0].findtext(CP + "title") == title, "the organization's title")
    items = organization[0].findall(CP + "item")
    expect(len(items) == 1, "not one item")
    item = items[0]
    expect(item.findtext(CP + "title") == title, "the item's title")
    expect(item.findtext(ADL + "masteryscore") == "80", "the mastery score")
    expect(item.findtext(ADL + "datafromlms") == launch, "the round as launch data")

    resources = root.find(CP + "resources").findall(CP + "resource")
    expect(len(resources) == 1, "not one resource")
    sco = resources[0]
    expect(sco.get("identifier") == item.get("identifierref"), "the item names no resource")
    expect(sco.get(ADL + "scormtype") == "sco" and sco.get("type") == "webcontent",
           "the resource is no SCO")
    expect(sco.get("href") == "index.html", "the SCO does not start at index.html")
    listed = sorted(f.get("href") for f in sco.findall(CP + "file"))
    present = sorted(name for name in os.listdir(folder) if name != "imsmanifest.xml")
    expect(listed == present, f"listed {listed}, but the package holds {present}")
    with open(os.path.join(folder, "index.html"), encoding="utf-8") as page:
        wanted = set(re.findall(r'(?:href|src)="([^":#?]+)"', page.read()))
    expect(wanted <= set(present), f"index.html needs {sorted(wanted - set(present))}")


def package(name):
    folder = os.path.join(BUILD_DIR, f"scorm12-{name}")
    with open(os.path.join(folder, "imsmanifest.xml"), encoding="utf-8") as manifest:
        return folder, manifest.read()


class ScormPackage(unittest.TestCase):
    def test_every_package_is_valid_and_lists_what_it_holds(self):
        self.assertEqual([name for name, _, _ in PACKAGES][:3], ["10", "5", "20"])
        self.assertTrue(any("art=gemischt" in launch for _, launch, _ in PACKAGES))
        for name, launch, title in PACKAGES:
            with self.subTest(package=name):
                folder, manifest = package(name)
                check_package(folder, manifest, launch, title)

    def test_broken_manifests_are_rejected(self):
        folder, manifest = package(10)
        breaks = [
            # what is broken, the text replaced, its replacement
            ("a file left out", '<file href="dreisatz.wasm"/>', ""),
            ("a file listed that is not there", '<file href="trainer.css"/>',
             '<file href="trainer.css"/><file href="worker.js"/>'),
            ("the resource an asset", 'adlcp:scormtype="sco"', 'adlcp:scormtype="asset"'),
            ("a type the schema does not know", 'adlcp:scormtype="sco"',
             'adlcp:scormtype="lesson"'),
            ("an element misspelt", "adlcp:masteryscore>", "adlcp:mastery>"),
            ("another mastery score", ">80<", ">70<"),
            ("another title", f"<title>{PACKAGES[0][2]}</title>", "<title>Trainer</title>"),
            ("the item's resource missing", 'identifierref="trainer-page"',
             'identifierref="trainer"'),
            ("another goal", "anzahl=10", "anzahl=7"),
            ("SCORM 2004", "<schemaversion>1.2<", "<schemaversion>2004 3rd Edition<"),
            ("not well-formed", "</manifest>", ""),
        ]
        for what, old, new in breaks:
            with self.subTest(what):
                self.assertIn(old, manifest)
                with self.assertRaises((ManifestError, ET.ParseError)):
                    check_package(folder, manifest.replace(old, new, 1), *PACKAGES[0][1:])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
