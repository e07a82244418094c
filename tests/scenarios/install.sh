#!/usr/bin/env bash
# Lays out a fresh installation of the stand-in host for the scenarios and the demo: PROGRAM_FOLDER
# gets B2.exe and the files of installation/ (mail to retrieve, and a .cfg for each plug-in of another
# vendor, which the test plug-in then stands for under the same name); its PlugIns folder gets the
# module: the files of a release zip, or a Quorvel.dll as it is. A Data folder beside it is left
# empty for the host's data.
#   usage: install.sh BUILD_FOLDER PROGRAM_FOLDER RELEASE.zip|Quorvel.dll
set -euo pipefail
build=$1 program=$2 module=$3
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$program"
mkdir -p "$program/PlugIns" "$program/../Data/PlugIns"
cp -r "$here/installation/." "$program/"
cp "$build/B2.exe" "$program/"
case "$module" in
  *.zip) python3 -m zipfile -e "$module" "$program/PlugIns" ;;
  *) cp "$module" "$program/PlugIns/" ;;
esac
for cfg in "$program"/PlugIns/*.cfg; do
  cp "$build/TestPlugin.dll" "${cfg%.cfg}.dll"
done
