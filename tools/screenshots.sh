#!/usr/bin/env bash
# Takes PNG pictures of the setup dialog and the About dialog, in Japanese and in English, as the
# stand-in host shows them under the virtual display.
#   usage: screenshots.sh BUILD_FOLDER OUTPUT_FOLDER   (run under xvfb-run -a)
set -euo pipefail

build=$(cd "${1:-build/win32}" && pwd)
mkdir -p "${2:-docs}"
out=$(cd "${2:-docs}" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)
prefix=$build/wineprefix
WINEARCH=$(cat "$build/wine-arch")
export WINEARCH
wine_run() { "$tools/wine-run" "$prefix" "$@"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

install=$(mktemp -d /tmp/quorvel-screenshots.XXXXXX)
trap 'wine_run --stop; rm -rf "$install"' EXIT
mkdir -p "$install/Becky/PlugIns" "$install/Data/PlugIns"
cp "$build/B2.exe" "$install/Becky/"
cp "$build/Quorvel.dll" "$install/Becky/PlugIns/"

wine_run --start
# The dialogs' Japanese face, drawn with the Japanese font the machine has.
wine_run reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
wine_run reg delete 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /f >/dev/null 2>&1 || true

cd "$install/Becky"
for language in ja en; do
  if [ $language = ja ]; then
    switches=(/JAPANESE -menus:ja) about="ヘルプ(&H)>プラグインについて>Vintrell"
  else
    switches=(/ENGLISH -menus:en) about="&Help>About Plugins>Vintrell"
  fi
  LC_ALL=ja_JP.UTF-8 wine_run B2.exe -utf8 -noloadpin-none "-data:$(windows_path "$install/Data")" "${switches[@]}" \
    start \
    "dialog:wait:300;screenshot:$(windows_path "$out/setup-$language.png");close" setup:Quorvel.dll \
    "dialog:wait:300;screenshot:$(windows_path "$out/about-$language.png");click:OK" "choose:$about" \
    exit | grep '^dialog: screenshot'
done
