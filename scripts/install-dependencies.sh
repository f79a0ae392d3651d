#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build and the tests use.
# Does nothing when all of them are already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  wine64 zip unzip pkgconf
  libinih-dev libsimpleini-dev
  emscripten chromium nodejs locales strace
)
# The locales the language tests run wine under, one a catalogue in words/: wine speaks English where a locale is
# missing.
source "$(dirname "${BASH_SOURCE[0]}")/languages.sh"
test_locales=()
for language in $(translated_languages); do test_locales+=("$(locale_of "$language")"); done

# generate_locales: the UTF-8 locales above, where the C library lacks them.
generate_locales() {
  local missing_locales=()
  for name in "${test_locales[@]}"; do
    locale -a 2>/dev/null | grep -qx "$name.utf8" || missing_locales+=("$name")
  done
  [ ${#missing_locales[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "error: these locales are missing and generating them needs root: ${missing_locales[*]}" >&2
    return 1
  fi
  echo "Generating locales: ${missing_locales[*]}"
  for name in "${missing_locales[@]}"; do
    grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >>/etc/locale.gen
  done
  locale-gen >/dev/null
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && { generate_locales; exit; }

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "error: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
# npm comes with the machine's Node.js; Debian's own Node.js ships it apart.
command -v npm >/dev/null || apt-get install -y -q --no-install-recommends npm
generate_locales
