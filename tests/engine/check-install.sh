#!/usr/bin/env bash
# A host program builds against an installed engine, found through pkg-config
# and through the CMake package, and runs.
set -euo pipefail
build=$1
fixture=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" > /dev/null
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

export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig"
cc "$work/host.c" -o "$work/host-pc" $(pkg-config --cflags --libs colligo) -Wl,-rpath,"$work/prefix/bin"
[ "$("$work/host-pc" "$fixture")" = 3 ] || { echo "pkg-config host failed"; exit 1; }

mkdir "$work/cm"
cat > "$work/cm/CMakeLists.txt" <<CM
cmake_minimum_required(VERSION 3.25)
project(host C)
find_package(Colligo REQUIRED)
add_executable(host $work/host.c)
target_link_libraries(host Colligo::Colligo)
CM
cmake -S "$work/cm" -B "$work/cm/build" -DCMAKE_PREFIX_PATH="$work/prefix" > /dev/null
cmake --build "$work/cm/build" > /dev/null
[ "$("$work/cm/build/host" "$fixture")" = 3 ] || { echo "CMake package host failed"; exit 1; }
echo "pkg-config and CMake package hosts both work"
