#!/bin/sh
# The compliance document of a real run, for a scheme named in the host's
# single-byte code page ("Smith & S\xF6ns "A"", o-umlaut as byte 0xF6), is
# read by an XML parser and shows the name with its umlaut. Skipped (77)
# on a machine without python3.
set -eu
runner=$1
data=$2
command -v python3 >/dev/null 2>&1 || { echo "skipped: no python3"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/out.txt" 2>/dev/null; exit 1; }

cp -r "$data/project" "$work/project"
python3 - "$work/project/master.dir" <<'PY' || fail "sample scheme 1 name not found"
import sys
path = sys.argv[1]
data = open(path, 'rb').read()
old = b'BASECASE Energy Efficien'
if old not in data: sys.exit(1)
open(path, 'wb').write(data.replace(old, b'Smith & S\xf6ns "A"'.ljust(24, b' ')))
PY
"$runner" "$work/project" "$data/util" "$data/weather" > "$work/out.txt" || fail "run"
python3 - "$work/project/scheme1.xml" <<'PY' || fail "document"
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
names = [e.get('ProjectName') for e in root.iter() if e.get('ProjectName') is not None]
if names != ['Smith & S\u00f6ns "A"        ']:
    sys.exit('ProjectName: %r' % names)
PY
echo ok
