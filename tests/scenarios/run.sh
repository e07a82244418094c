#!/usr/bin/env bash
# Runs the scenarios beside this file (NAME.steps, scripts of the stand-in host) with one build of
# Quorvel.dll, in Japanese and in English, each in a fresh installation inside the Wine prefix, and
# compares what the host printed with expected/NAME.LANGUAGE.txt. Only the stand-in host, the test
# plug-in and shell tools run, no test program of the build: so this runs where those cannot (in an
# emulated machine, say), and the 32-bit build and its 64-bit twin must print the same lines.
#   usage: run.sh BUILD_FOLDER [--zip RELEASE.zip] [--prefix NEW_PREFIX] [--out FOLDER]
#   (under a display of 1280x1024: xvfb-run -a -s "-screen 0 1280x1024x24")
# BUILD_FOLDER gives B2.exe, TestPlugin.dll and the Wine width. The plug-in's files come from the
# release zip, as a user installs them: the one given, else one packed here with the build's
# Quorvel.dll. --prefix makes a Wine prefix of its own afresh there (and ends its server at the
# end) instead of using the build's; --out keeps each run's output there (default: the build's
# scenarios folder). QUORVEL_SCENARIOS_EXPECT=1 writes the outputs as the expected ones instead.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tools=$(cd "$here/../../tools" && pwd)
build=$(cd "$1" && pwd)
shift
zip="" prefix=$build/wineprefix own_prefix=0 out=$build/scenarios
while [ $# -gt 0 ]; do
  case "$1" in
    --zip) zip=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    --prefix) rm -rf "$2"; prefix=$2 own_prefix=1; shift 2 ;;
    --out) mkdir -p "$2"; out=$(cd "$2" && pwd); shift 2 ;;
    *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
WINEARCH=$(cat "$build/wine-arch")
export WINEARCH
wine_run() { "$tools/wine-run" "$prefix" "$@"; }

wine_run --start
[ $own_prefix = 1 ] && trap 'wine_run --stop' EXIT
mkdir -p "$out"
if [ -z "$zip" ]; then
  zip=$out/Vintrell.zip
  python3 "$tools/make_dist.py" "$here/../.." "$build/Quorvel.dll" "$zip" >/dev/null
fi

# The installation sits at the same place in every prefix, so its paths print alike everywhere.
install=$prefix/drive_c/Scenarios

failed=()
for steps in "$here"/*.steps; do
  name=$(basename "$steps" .steps)
  for language in ja en; do
    if [ $language = ja ]; then
      locale=ja_JP.UTF-8 switches=(-menus:ja /JAPANESE)
    else
      locale=C.UTF-8 switches=(-menus:en /ENGLISH)
    fi
    # Now and then Wine fails to start a process at all; a host that never reached its first step
    # is started again, twice at most, in a fresh installation.
    for attempt in 1 2 3; do
      "$here/install.sh" "$build" "$install/Becky" "$zip"
      cp "$steps" "$install/Becky/scenario.steps"
      (cd "$install/Becky" && LC_ALL=$locale wine_run B2.exe -utf8 -noloadpin-none '-data:C:\Scenarios\Data' \
        "${switches[@]}" -script:scenario.steps >"$out/$name.$language.txt" 2>&1) || true
      grep -q '^> ' "$out/$name.$language.txt" && break
    done
    expected=$here/expected/$name.$language.txt
    if [ "${QUORVEL_SCENARIOS_EXPECT:-0}" = 1 ]; then
      cp "$out/$name.$language.txt" "$expected"
    elif ! diff -u "$expected" "$out/$name.$language.txt" >"$out/$name.$language.diff"; then
      failed+=("$name.$language")
      cat "$out/$name.$language.diff"
    fi
  done
done
rm -rf "$install"

if [ ${#failed[@]} -gt 0 ]; then
  echo "scenarios: ${#failed[@]} differ from the expected output (${WINEARCH}): ${failed[*]}"
  exit 1
fi
echo "scenarios: all $(ls "$here"/*.steps | wc -l) in Japanese and English as expected (${WINEARCH})"
