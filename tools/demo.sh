#!/usr/bin/env bash
# A short session of Quorvel.dll in the stand-in mail client B2.exe under Wine, told in words.
#   usage: demo.sh BUILD_FOLDER [--prefix NEW_PREFIX]
#   (run under a display: xvfb-run -a tools/demo.sh build/win32, or build/win64 for the 64-bit twin)
# With --prefix the session runs in a Wine prefix of its own, made afresh there, instead of the
# build's.
set -euo pipefail

build=$(cd "${1:-build/win32}" && pwd)
shift || true
tools=$(cd "$(dirname "$0")" && pwd)
prefix=$build/wineprefix
# The Wine of the build's width: win32, or win64 for the twin.
WINEARCH=$(cat "$build/wine-arch")
export WINEARCH
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) rm -rf "$2"; mkdir -p "$2"; prefix=$(cd "$2" && pwd); rmdir "$prefix"; shift 2 ;;
    *) echo "demo.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
wine_run() { "$tools/wine-run" "$prefix" "$@"; }

echo "Preparing Wine (the first run makes a new prefix, about 15 s)..."
wine_run --start

# A fresh installation, as the end-to-end scenarios have it: the host, Quorvel.dll, another vendor's
# plug-in that also names itself in outgoing mail, one that faults when asked for its information,
# and two messages to retrieve (one from a newer mail client with a plug-in the module has not met,
# one whose plug-in header is folded over two lines).
install=$(mktemp -d /tmp/quorvel-demo.XXXXXX)
trap 'wine_run --stop; rm -rf "$install"' EXIT
"$tools/../tests/scenarios/install.sh" "$build" "$install/Becky" "$build/Quorvel.dll"

data="Z:${install//\//\\}\\Data"
cd "$install/Becky"
# A Japanese system (code page 932), as most users of the mail client have.
output=$(LC_ALL=ja_JP.UTF-8 wine_run B2.exe -utf8 -noloadpin-none -version:2.80.03 "-data:$data" \
  start menus \
  "choose:ツール>Vintrell>プラグインリスト（パス付き）" \
  "compose:To=friend@example.com|Subject=Hello|X-Mailer-Plugin=Vintrell Ver.0.00 Rev.9" send \
  retrieve:hello.eml,news.eml \
  exit 2>&1)
list=$(iconv -f CP932 -t UTF-8 "PlugIns/Quorvel.txt" 2>/dev/null || true)

echo
echo "Quorvel.dll in the stand-in mail client"
echo "======================================="
printf '%s\n' "$output" | LIST="$list" awk '
  function heading(text) { printf "\n%s\n", text }
  /^> start$/  { heading("The mail client builds its main menu and starts."); next }
  /^> menus$/  { heading("The entries Vintrell added to its menus:"); inMenus = 1; next }
  /^> choose:/ { inMenus = 0
                 heading("The user chooses Tool > Vintrell > プラグインリスト（パス付き）: the list is written to Quorvel.txt.")
                 print "  (Faulty.dll faults when asked who it is: it reads (unknown), and the mail client goes on.)"
                 n = split(ENVIRON["LIST"], lines, "\n"); for (i = 1; i <= n; ++i) if (lines[i] != "") print "  " lines[i]; next }
  /^> compose/ { heading("A message is written; its X-Mailer-Plugin header still names an old version of Vintrell."); next }
  /^> send$/   { heading("The message is sent. Each plug-in names itself in X-Mailer-Plugin; Vintrell renews its entry:"); next }
  /^> retrieve/ { heading("Two messages arrive. At the end of the retrieval Vintrell tells what is new:"); next }
  /^> exit$/   { heading("The mail client closes."); next }
  /^host exits$/ { next }
  /^message box:/ { next }
  /^loaded plug-in / { if (!said) { heading("The mail client loads its plug-ins:"); said = 1 } }
  inMenus { if ($0 ~ /Vintrell|プラグイン|Plugin Help|About Plugins/) { sub(/ \[bitmap\]/, ""); print } ; next }
  { print "  " $0 }
'
