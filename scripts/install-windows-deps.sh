#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows cross-build and its Wine tests need:
# the mingw-w64 compilers, zlib for mingw, Wine (64-bit, plus the 32-bit half
# from the i386 architecture), the tools that fetch and build Debian's own
# source packages, NSIS for the installer, and 7-Zip, which reads the
# installer apart from NSIS in its tests. Kept apart from install-deps.sh so
# `make test` stays lean.
# Idempotent: a second run costs a dpkg query.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64
  libz-mingw-w64-dev
  wine wine64 wine32:i386
  dpkg-dev cmake ninja-build pkg-config perl python3 zip unzip xz-utils
  qt6-base-dev qt6-base-dev-tools
  xvfb imagemagick fonts-wine googletest
  qpdf poppler-utils
  nsis 7zip
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-windows-deps: adding the i386 architecture for 32-bit Wine" >&2
  $sudo dpkg --add-architecture i386
  updated=""
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ -v updated ]; then
  echo "install-windows-deps: installing ${missing[*]:-nothing new}" >&2
  $sudo apt-get update -qq
  [ ${#missing[@]} -eq 0 ] || $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
