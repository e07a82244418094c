#!/usr/bin/env bash
# Two builds of the same sources give the same DLL and the same release zip, byte for byte: the DLL
# is built a second time in another folder and both are packed.
#   usage: reproducible_build.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
second=$build/reproduced

rm -rf "$second"
cmake -S "$source" -B "$second" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$source/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$second" --target Quorvel >/dev/null
cmp "$build/Quorvel.dll" "$second/Quorvel.dll"

python3 "$source/tools/make_dist.py" "$source" "$build/Quorvel.dll" "$second/first.zip"
python3 "$source/tools/make_dist.py" "$source" "$second/Quorvel.dll" "$second/second.zip"
cmp "$second/first.zip" "$second/second.zip"
# Packed seconds apart, two zips would match even with the time in them: look at the entries too.
python3 - "$second/first.zip" <<'PYTHON'
import sys, zipfile
entries = zipfile.ZipFile(sys.argv[1]).infolist()
names = [entry.filename for entry in entries]
expected = ["Quorvel.dll", "Quorvel.html", "QuorvelE.html", "Readme-ja.txt", "Readme-en.txt", "LICENSE.txt"]
if sorted(names) != sorted(expected):
    sys.exit("unexpected entries: %s" % names)
for entry in entries:
    if entry.date_time != (1980, 1, 1, 0, 0, 0):
        sys.exit("%s carries a time: %s" % (entry.filename, entry.date_time))
PYTHON
echo "the DLL and the zip are the same bytes in both builds"
