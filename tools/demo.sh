#!/usr/bin/env bash
# A short session of Quorvel.dll in the stand-in mail client B2.exe under Wine, told in words.
#   usage: demo.sh BUILD_FOLDER   (run under a display: xvfb-run -a tools/demo.sh build/win32)
set -euo pipefail

build=$(cd "${1:-build/win32}" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)
prefix=$build/wineprefix
wine_run() { "$tools/wine-run" "$prefix" "$@"; }

# A fresh installation: the host, Quorvel.dll and another vendor's plug-in that also names itself
# in outgoing mail.
install=$(mktemp -d /tmp/quorvel-demo.XXXXXX)
trap 'wine_run --stop; rm -rf "$install"' EXIT
mkdir -p "$install/Becky/PlugIns" "$install/Data/PlugIns"
cp "$build/B2.exe" "$install/Becky/"
cp "$build/Quorvel.dll" "$install/Becky/PlugIns/"
if [ -f "$build/TestPlugin.dll" ]; then
  cp "$build/TestPlugin.dll" "$install/Becky/PlugIns/Mailmate.dll"
  printf 'name=Mailmate\nversion=Ver.3.1\nstamp=Mailmate Ver.3.1\n' > "$install/Becky/PlugIns/Mailmate.cfg"
fi

echo "Preparing Wine (the first run makes a new prefix, about 15 s)..."
wine_run --start

data="Z:${install//\//\\}\\Data"
cd "$install/Becky"
# A Japanese system (code page 932), as most users of the mail client have.
output=$(LC_ALL=ja_JP.UTF-8 wine_run B2.exe -utf8 -noloadpin-none "-data:$data" \
  start commands \
  "compose:To=friend@example.com|Subject=Hello|X-Mailer-Plugin=Vintrell Ver.0.00 Rev.9" send \
  info exit 2>&1)

echo
echo "Quorvel.dll in the stand-in mail client"
echo "======================================="
printf '%s\n' "$output" | awk '
  function heading(text) { printf "\n%s\n", text }
  /^> start$/    { heading("The mail client builds its main menu and starts."); next }
  /^> commands$/ { heading("Commands the plug-in has added to the menus:"); inCommands = 1; shown = 0; next }
  /^> compose/   { if (inCommands && !shown) print "  (none yet)"; inCommands = 0
                   heading("A message is written; its X-Mailer-Plugin header still names an old version of the plug-in."); next }
  /^> send$/     { heading("The message is sent. Each plug-in names itself in X-Mailer-Plugin; Vintrell renews its old entry:"); next }
  /^> info$/     { heading("The mail client asks each plug-in who it is:"); next }
  /^> exit$/     { heading("The mail client closes."); next }
  /^host exits$/ { next }
  /^message box:/ { print "  A message box appears:"; print "    " substr($0, 14); next }
  /^loaded plug-in / { if (!said) { heading("The mail client loads its plug-ins:"); said = 1 } }
  { if (inCommands) shown = 1; print "  " $0 }
'
