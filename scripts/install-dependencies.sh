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
  emscripten chromium nodejs
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

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
