"""Every key the app looks up is visible to lupdate, and every language has
it: runs lupdate over src/ and compares its keys with each app table.

    check_translations.py LUPDATE SOURCE_DIR
"""
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path


def keys(ts_path):
    root = ET.parse(ts_path).getroot()
    return {(c.findtext("name"), m.findtext("source"))
            for c in root.iter("context") for m in c.iter("message")}


def main():
    lupdate, source = sys.argv[1], Path(sys.argv[2])
    with tempfile.TemporaryDirectory() as scratch:
        found_ts = Path(scratch) / "found.ts"
        subprocess.run([lupdate, "-silent", "-recursive", "-extensions", "cpp,h",
                        str(source / "src"), "-ts", str(found_ts)], check=True)
        found = keys(found_ts)
    # The rating prompt brings its own bundle; the platform layer's tables
    # ("NavigationItem", "TabBarItem", …) are looked up like the app's.
    found = {k for k in found if k[0] != "RatePrompt"}
    failed = False
    for ts in sorted((source / "resources/translations/app").glob("korvane_*.ts")):
        table = keys(ts)
        for context, key in sorted(found - table):
            print(f"{ts.name}: no entry for {context}/{key}")
            failed = True
        for context, key in sorted(table - found):
            print(f"{ts.name}: {context}/{key} is looked up nowhere (or lupdate cannot see it)")
            failed = True
    if failed:
        sys.exit(1)
    print(f"{len(found)} keys, all visible to lupdate and present in every language")


main()
