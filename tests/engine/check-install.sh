#!/usr/bin/env bash
# A host program builds against an installed engine, found through pkg-config
# and through the CMake package, and runs.
set -euo pipefail
build=$1
fixture=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A build for the Debian packages (QUELLAN_SYSTEM_INSTALL) installs for /usr
# only: it is staged under DESTDIR, and pkg-config told so. Any other build
# installs under any prefix.
if grep -q '^QUELLAN_SYSTEM_INSTALL:BOOL=ON' "$build/CMakeCache.txt"; then
    DESTDIR="$work/root" cmake --install "$build" > /dev/null
    prefix="$work/root/usr"
    export PKG_CONFIG_SYSROOT_DIR="$work/root"
else
    cmake --install "$build" --prefix "$work/prefix" > /dev/null
    prefix="$work/prefix"
fi
pc=$(find "$prefix" -name colligo.pc)
engine=$(find "$prefix" -name libColligo.so)
[ -n "$pc" ] && [ -n "$engine" ] || { echo "colligo.pc or libColligo.so not installed"; exit 1; }
cat > "$work/host.c" <<'C'
#include <colligo.h>
#include <stdio.h>
int main(int argc, char **argv)
{
    DocumentHandle document = OpenPDF(argv[1], NULL);
    if (document <= 0)
        return 1;
    printf("%d\n", GetPageCount(document));
    return ClosePDF(document);
}
C

export PKG_CONFIG_LIBDIR="$(dirname "$pc")"
cc "$work/host.c" -o "$work/host-pc" $(pkg-config --cflags --libs colligo) -Wl,-rpath,"$(dirname "$engine")"
[ "$("$work/host-pc" "$fixture")" = 3 ] || { echo "pkg-config host failed"; exit 1; }

mkdir "$work/cm"
cat > "$work/cm/CMakeLists.txt" <<CM
cmake_minimum_required(VERSION 3.25)
project(host C)
find_package(Colligo REQUIRED)
add_executable(host $work/host.c)
target_link_libraries(host Colligo::Colligo)
CM
cmake -S "$work/cm" -B "$work/cm/build" -DCMAKE_PREFIX_PATH="$prefix" > /dev/null
cmake --build "$work/cm/build" > /dev/null
[ "$("$work/cm/build/host" "$fixture")" = 3 ] || { echo "CMake package host failed"; exit 1; }
echo "pkg-config and CMake package hosts both work"
