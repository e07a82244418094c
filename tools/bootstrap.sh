#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, run as root.
# Idempotent: packages already present are skipped, so a second run costs a few seconds.
set -euo pipefail

# Both Windows builds: the 32-bit product and its 64-bit twin, each with its Wine. The 32-bit Wine is
# installed on machines that cannot run it too (it costs nothing there, and is all in one place).
# fonts-wine draws the dialogs' title-bar buttons.
packages=(
  cmake ninja-build make python3 g++ clang-format
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest libbenchmark-dev pkg-config libgmime-3.0-dev strace
  clang libclang-rt-14-dev
  wine wine32:i386 wine64 fonts-wine xvfb xauth
  locales fonts-ipafont-gothic
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The Windows-side tests run under a Japanese locale (code page 932) as well as an English one.
have_japanese_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; }

if [ ${#missing[@]} -eq 0 ] && have_japanese_locale; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "bootstrap: missing packages or locale (${missing[*]}); run as root to install them" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! have_japanese_locale; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
