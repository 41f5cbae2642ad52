#!/usr/bin/env bash
# Builds the libraries of the Windows build from Debian 12's own source
# packages (versions pinned in scripts/windows/versions.sh, our few patches in
# scripts/windows/patches/), with the mingw-w64 cross compilers:
#
#   scripts/build-windows-deps.sh ARCH [--engine-only] [--cmake-cache FILE]
#
# ARCH is i686 (Windows x86) or x86_64 (Windows x64). The engine needs freetype
# and poppler (static, zlib from libz-mingw-w64-dev); the rest of the system
# also needs pugixml (static) and qtbase (DLLs). --engine-only stops after the
# engine's libraries. --cmake-cache writes a CMake initial cache that points a
# build at what was built (cmake -C FILE).
#
# Each library is installed into its own folder of the cache,
# ${QUELLAN_WINDOWS_CACHE:-~/.cache/quellan-windows}/<package>-<version>-<arch>,
# and is built again only when its version, its recipe below or its patches
# change, so a second run takes seconds. Nothing is downloaded from anywhere
# but the Debian archive (deb-src lines are added when the machine has none).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=windows/versions.sh
source "$root/scripts/windows/versions.sh"

arch=${1:?usage: scripts/build-windows-deps.sh i686|x86_64 [--engine-only] [--cmake-cache FILE]}
shift
engine_only=""
cmake_cache=""
while [ $# -gt 0 ]; do
  case $1 in
    --engine-only) engine_only=1 ;;
    --cmake-cache) cmake_cache=${2:?--cmake-cache needs a file}; shift ;;
    *) echo "build-windows-deps: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done
case $arch in
  i686 | x86_64) ;;
  *) echo "build-windows-deps: ARCH is i686 or x86_64, not $arch" >&2; exit 2 ;;
esac

cache=${QUELLAN_WINDOWS_CACHE:-$HOME/.cache/quellan-windows}
jobs=${JOBS:-2}
triplet=$arch-w64-mingw32
toolchain=$root/cmake/mingw-$arch.cmake
zlib_library=/usr/$triplet/lib/libz.a # the static one, never zlib1.dll
zlib_include=/usr/$triplet/include
mkdir -p "$cache"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

log() { echo "build-windows-deps: $*" >&2; }

# `apt-get source` needs deb-src lines for the suites the machine uses.
ensure_source_lines() {
  local known
  known=$(apt-cache showsrc poppler 2>/dev/null || true)
  if grep -q '^Package: poppler$' <<<"$known"; then
    return
  fi
  log "adding deb-src lines for Debian 12 and updating the package lists"
  $sudo tee /etc/apt/sources.list.d/quellan-debian-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get update -qq
}

# The pinned version when the archive still has it; otherwise (a newer Debian
# revision of the same upstream release replaced it) the archive's one, with
# a warning, so a security update does not break the build.
resolve_version() {
  local package=$1 pinned=$2 available
  available=$(apt-cache showsrc "$package" | sed -n 's/^Version: //p')
  if grep -qxF "$pinned" <<<"$available"; then
    echo "$pinned"
    return
  fi
  local upstream=${pinned%-*} match
  match=$(grep -F "$upstream-" <<<"$available" | sort -V | tail -n1 || true)
  if [ -z "$match" ]; then
    log "Debian offers no source of $package $upstream (pinned $pinned; available: $(echo $available))"
    exit 1
  fi
  log "warning: $package $pinned is no longer in the archive; building $match"
  echo "$match"
}

# Unpacks a source package (with Debian's patches applied) into $2 and applies
# our own patches for it, scripts/windows/patches/<package>-*.patch.
fetch_source() {
  local package=$1 version=$2 dest=$3 download
  download=$(mktemp -d)
  (cd "$download" && apt-get source -qq --download-only "$package=$version" >/dev/null 2>&1) ||
    { log "apt-get source $package=$version failed"; exit 1; }
  # Quiet unless it fails: without Debian's keyring it warns about signatures.
  local output
  output=$(dpkg-source -x "$download"/*.dsc "$dest" 2>&1) || { echo "$output" >&2; exit 1; }
  rm -rf "$download"
  local patch
  for patch in "$root"/scripts/windows/patches/"$package"-*.patch; do
    [ -e "$patch" ] || continue
    patch -d "$dest" -p1 -s <"$patch"
  done
}

# What a build depends on besides its version: its recipe, our patches for
# it, and the toolchain file. A change to any of them builds it again.
recipe_stamp() {
  local package=$1 recipe=$2
  {
    declare -f "$recipe"
    cat "$root"/scripts/windows/patches/"$package"-*.patch 2>/dev/null || true
    cat "$root/cmake/MingwToolchain.cmake" "$toolchain"
  } | sha256sum | cut -d' ' -f1
}

# build NAME SOURCE-PACKAGE VERSION RECIPE: sets prefix_NAME to the folder the
# library is installed in, building it there first when the cache lacks it.
build() {
  local name=$1 package=$2 pinned=$3 recipe=$4 version stamp prefix work
  version=$(resolve_version "$package" "$pinned")
  prefix=$cache/$name-$version-$arch
  stamp=$(recipe_stamp "$package" "$recipe")
  printf -v "prefix_$name" '%s' "$prefix"
  if [ -f "$prefix/.quellan-stamp" ] && [ "$(cat "$prefix/.quellan-stamp")" = "$stamp" ]; then
    log "$name $version ($arch): cached in $prefix"
    return
  fi
  log "$name $version ($arch): building into $prefix"
  local started=$SECONDS
  work=$cache/work/$name-$version-$arch
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  fetch_source "$package" "$version" "$work/src"
  # Not in an if or ||: that would switch off set -e inside the recipe.
  set +e
  (set -e; cd "$work" && "$recipe" "$work/src" "$work/build" "$prefix") >"$work/build.log" 2>&1
  local status=$?
  set -e
  if [ $status -ne 0 ]; then
    log "$name failed; the last lines of $work/build.log:"
    tail -n 40 "$work/build.log" >&2
    exit 1
  fi
  echo "$stamp" >"$prefix/.quellan-stamp"
  rm -rf "$work"
  log "$name $version ($arch): built in $((SECONDS - started)) s"
}

cmake_cross() {
  cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "$@"
}

# ---- Recipes: SOURCE BUILD PREFIX ------------------------------------------

recipe_freetype() {
  cmake_cross -S "$1" -B "$2" -DCMAKE_INSTALL_PREFIX="$3" -DBUILD_SHARED_LIBS=OFF \
    -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$zlib_library" -DZLIB_INCLUDE_DIR="$zlib_include" \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  cmake --build "$2" -j"$jobs"
  cmake --install "$2"
}

# Poppler's core with its private headers, which the engine reads with; no
# wrappers, utilities, network, colour management or image decoders (the
# engine copies streams without decoding them).
recipe_poppler() {
  cmake_cross -S "$1" -B "$2" -DCMAKE_INSTALL_PREFIX="$3" -DCMAKE_PREFIX_PATH="$prefix_freetype" \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_UNSTABLE_API_ABI_HEADERS=ON -DENABLE_RELOCATABLE=OFF \
    -DFONT_CONFIGURATION=win32 -DZLIB_LIBRARY="$zlib_library" -DZLIB_INCLUDE_DIR="$zlib_include" \
    -DENABLE_UTILS=OFF -DENABLE_CPP=OFF -DENABLE_GLIB=OFF -DENABLE_GOBJECT_INTROSPECTION=OFF \
    -DENABLE_QT5=OFF -DENABLE_QT6=OFF -DENABLE_BOOST=OFF -DENABLE_LIBCURL=OFF \
    -DENABLE_LIBOPENJPEG=none -DENABLE_DCTDECODER=none -DENABLE_CMS=none \
    -DWITH_JPEG=OFF -DWITH_PNG=OFF -DWITH_TIFF=OFF -DWITH_NSS3=OFF -DWITH_Cairo=OFF \
    -DBUILD_GTK_TESTS=OFF -DBUILD_QT5_TESTS=OFF -DBUILD_QT6_TESTS=OFF -DBUILD_CPP_TESTS=OFF \
    -DBUILD_MANUAL_TESTS=OFF -DRUN_GPERF_IF_PRESENT=OFF
  cmake --build "$2" -j"$jobs" --target poppler
  cmake --install "$2"
}

recipe_pugixml() {
  cmake_cross -S "$1" -B "$2" -DCMAKE_INSTALL_PREFIX="$3" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
  cmake --build "$2" -j"$jobs"
  cmake --install "$2"
}

# Qt's Core, Gui, Widgets and the windows platform plug-in as DLLs, with the
# host's Qt 6.4.2 tools (moc, rcc, uic). Debian's source leaves out Wintab
# (its licence), so tablet events are off; OpenGL, networking, SQL, D-Bus and
# XML are not needed.
recipe_qtbase() {
  cmake_cross -S "$1" -B "$2" -DCMAKE_INSTALL_PREFIX="$3" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
  cmake --build "$2" -j"$jobs"
  cmake --install "$2"
}

# ---- The build ---------------------------------------------------------------

for tool in "$triplet-g++-posix" cmake ninja dpkg-source; do
  command -v "$tool" >/dev/null || { log "$tool is missing; run scripts/install-windows-deps.sh"; exit 1; }
done
[ -f "$zlib_library" ] || { log "$zlib_library is missing; run scripts/install-windows-deps.sh"; exit 1; }
ensure_source_lines

build freetype freetype "$FREETYPE_VERSION" recipe_freetype
build poppler poppler "$POPPLER_VERSION" recipe_poppler
prefixes="$prefix_freetype;$prefix_poppler"
if [ -z "$engine_only" ]; then
  build pugixml pugixml "$PUGIXML_VERSION" recipe_pugixml
  build qtbase qt6-base "$QTBASE_VERSION" recipe_qtbase
  prefixes="$prefixes;$prefix_pugixml;$prefix_qtbase"
fi

if [ -n "$cmake_cache" ]; then
  mkdir -p "$(dirname "$cmake_cache")"
  cat >"$cmake_cache" <<EOF
# Written by scripts/build-windows-deps.sh: where the Windows $arch libraries are.
set(CMAKE_PREFIX_PATH "$prefixes" CACHE PATH "")
set(QUELLAN_ZLIB_LIBRARY "$zlib_library" CACHE FILEPATH "")
set(QT_HOST_PATH "/usr" CACHE PATH "")
EOF
fi
