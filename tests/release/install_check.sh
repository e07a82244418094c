#!/usr/bin/env bash
# The release zip unpacked into the PlugIns folder of an installation in a fresh Wine prefix: the
# stand-in host runs the whole demo session from there.
#   usage: install_check.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
check=$build/install-check
rm -rf "$check"
mkdir -p "$check"

python3 "$source/tools/make_dist.py" "$source" "$build/Quorvel.dll" "$check/Vintrell.zip"
output=$("$source/tools/demo.sh" "$build" --zip "$check/Vintrell.zip" --prefix "$check/prefix")
printf '%s\n' "$output"

expect() {
  if ! grep -qF -- "$1" <<<"$output"; then
    echo "install check: missing from the session: $1" >&2
    exit 1
  fi
}
expect "loaded plug-in Quorvel.dll"
expect "プラグインリスト（パス付き） -> \"List with Path\""
expect "Quorvel.dll  Vintrell Ver.0.01 Rev.4"
expect "X-Mailer-Plugin: Vintrell Ver.0.01 Rev.4,"
expect "| 今受信したメールによると、"
expect "| Quillet Ver.0.3"
for file in Quorvel.dll Quorvel.html QuorvelE.html Readme-ja.txt Readme-en.txt LICENSE.txt; do
  [ -f "$check/prefix/drive_c/Demo/Becky/PlugIns/$file" ] || { echo "install check: $file not unpacked" >&2; exit 1; }
done
echo "install check: the session ran from the unpacked release"
