#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, run as root.
# Idempotent: packages already present are skipped, so a second run costs a few seconds.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)

# Both Windows builds: the 32-bit product and its 64-bit twin, each with its Wine. The 32-bit Wine is
# installed on machines that cannot run it too: there it runs inside an emulated machine (below).
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
# Where no 32-bit program runs (or QUORVEL_64_ONLY=1 says so), the 32-bit stage runs in an emulated
# x86-64 machine: tools/emulated-run.
emulator_packages=(qemu-system-x86 busybox-static cpio kmod xz-utils)

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# The Windows-side tests run under a Japanese locale (code page 932) as well as an English one.
have_japanese_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; }

install_packages() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "bootstrap: missing packages ($*); run as root to install them" >&2
    exit 1
  fi
  echo "bootstrap: installing $*"
  export DEBIAN_FRONTEND=noninteractive
  local log
  log=$(mktemp /tmp/bootstrap.XXXXXX)
  if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "$@"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "bootstrap: installing failed" >&2
    exit 1
  fi
  rm -f "$log"
}

mapfile -t missing < <(missing_of "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  install_packages "${missing[@]}"
fi

if ! have_japanese_locale; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "bootstrap: the Japanese locale is missing; run as root to make it" >&2
    exit 1
  fi
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

if ! "$tools/probe-32bit" >/dev/null; then
  mapfile -t missing < <(missing_of "${emulator_packages[@]}")
  [ ${#missing[@]} -eq 0 ] || install_packages "${missing[@]}"
fi
exit 0
