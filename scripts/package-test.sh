#!/usr/bin/env bash
# The Debian packages installed and used for real (`make package-test`, after
# `make package`): lintian and AppStream check them; then a throwaway Debian 12
# root made with debootstrap installs them with their dependencies from the
# archive, runs colligo, the application (from its desktop entry) and a host
# program built against libcolligo-dev, purges them and checks that nothing of
# them is left on disk.
# Usage: scripts/package-test.sh BUILD     (needs root: debootstrap, chroot)
set -euo pipefail

build=$(realpath "${1:-build}")
mirror=${QUELLAN_DEBIAN_MIRROR:-http://deb.debian.org/debian}
packages=(quellan-pdf-merger libcolligo1 libcolligo-dev)
# Two real documents from Debian packages that scripts/install-deps.sh installs.
samples=(/usr/share/doc/octave/refcard-a4.pdf /usr/share/doc/texlive-doc/latex/eso-pic/eso-pic.pdf)
test_tools=(xvfb xdotool x11-utils qpdf gcc libc6-dev pkg-config)

work=$(mktemp -d /var/tmp/quellan-package-test.XXXXXX)
root=$work/root
debs=()

step() { printf '== %s\n' "$*"; }
fail() { echo "package-test: FAILED: $*" >&2; exit 1; }

cleanup() {
    if mountpoint -q "$root/proc" 2>/dev/null; then
        umount "$root/proc"
    fi
    # Never delete through a mount that is still there.
    if findmnt -rn -o TARGET | grep -q "^$root"; then
        echo "package-test: $work left in place: something is still mounted in it" >&2
        return
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# apt without a terminal log: the root has no /dev/pts.
apt_quiet=(-y -qq -o Dpkg::Use-Pty=0 --no-install-recommends)

# A command inside the root, with a clean environment.
in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
        HOME=/tmp/home LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}

find_packages() {
    for package in "${packages[@]}"; do
        local deb
        deb=$(ls "$build/${package}"_*.deb 2>/dev/null | head -n 1)
        [ -n "$deb" ] || fail "$build/${package}_*.deb is missing: run make package first"
        debs+=("$deb")
    done
}

check_with_lintian() {
    step "lintian (errors fail)"
    lintian --fail-on error --suppress-tags-from-file /dev/null "${debs[@]}" || fail "lintian reports errors"
}

check_desktop_files() {
    step "desktop entry, icon and AppStream metadata"
    local unpacked=$work/unpacked
    dpkg-deb -x "${debs[0]}" "$unpacked"
    local metainfo
    metainfo=$(ls "$unpacked"/usr/share/metainfo/*.metainfo.xml)
    appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata is not valid"
    [ -f "$unpacked/usr/share/applications/quellan-pdf-merger.desktop" ] || fail "no desktop entry"
    [ -f "$unpacked/usr/share/icons/hicolor/256x256/apps/quellan-pdf-merger.png" ] || fail "no icon"
}

make_root() {
    step "debootstrap a Debian 12 root from $mirror"
    local start=$SECONDS
    debootstrap --variant=minbase bookworm "$root" "$mirror" > "$work/debootstrap.log" 2>&1 \
        || { tail -n 20 "$work/debootstrap.log"; fail "debootstrap"; }
    echo "   made in $((SECONDS - start)) s"
    # The same suites as a Debian 12 system that is kept up to date.
    cat > "$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mkdir -p "$root/tmp/home"
    step "install the test tools: ${test_tools[*]}"
    in_root apt-get update -qq
    in_root apt-get install "${apt_quiet[@]}" "${test_tools[@]}" > "$work/tools.log" 2>&1 \
        || { tail -n 20 "$work/tools.log"; fail "installing the test tools"; }
}

# Every path on the root's disk, less the ones apt and the tests change anyway.
# /dev is left out: on a real system it is no disk (the application killed under
# Xvfb leaves its plug-in registry's block in /dev/shm, as any killed run does).
list_root_files() {
    (cd "$root" && find . -xdev \
        \( -path ./proc -o -path ./dev -o -path ./tmp -o -path ./var/log -o -path ./var/cache -o -path ./var/lib/apt \) -prune \
        -o -print | sort)
}

install_packages() {
    step "apt-get install ./*.deb (dependencies from the archive, without recommends)"
    mkdir -p "$root/tmp/debs"
    cp "${debs[@]}" "$root/tmp/debs/"
    local inside=()
    for deb in "${debs[@]}"; do
        inside+=("/tmp/debs/$(basename "$deb")")
    done
    # Only Depends: the packages must work without their recommendations.
    in_root apt-get install "${apt_quiet[@]}" "${inside[@]}" > "$work/install.log" 2>&1 \
        || { tail -n 20 "$work/install.log"; fail "installing the packages"; }
    for package in "${packages[@]}"; do
        in_root dpkg -L "$package"
    done | sort -u > "$work/owned.txt"
}

check_colligo() {
    step "colligo on the PATH, and a real merge"
    [ "$(in_root sh -c 'command -v colligo')" = /usr/bin/colligo ] || fail "colligo is not /usr/bin/colligo"
    if in_root colligo --help | grep -q -- '--version'; then
        in_root colligo --version || fail "colligo --version"
    else
        in_root colligo --help > /dev/null || fail "colligo --help"
    fi
    cp "${samples[0]}" "$root/tmp/a.pdf"
    cp "${samples[1]}" "$root/tmp/b.pdf"
    in_root colligo merge -o /tmp/merged.pdf /tmp/a.pdf /tmp/b.pdf > "$work/merge.log" || fail "colligo merge"
    in_root qpdf --check /tmp/merged.pdf > /dev/null || fail "qpdf --check of the merged file"
    local expected=$(( $(qpdf --show-npages "${samples[0]}") + $(qpdf --show-npages "${samples[1]}") ))
    local pages
    pages=$(in_root qpdf --show-npages /tmp/merged.pdf)
    [ "$pages" = "$expected" ] || fail "merged file has $pages pages, not $expected"
    echo "   merged $expected pages; qpdf --check passes"
}

check_application() {
    step "the application, started as its desktop entry says, shows its window under Xvfb"
    local exec_line
    exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/quellan-pdf-merger.desktop" | tr -d '"')
    [ -n "$exec_line" ] || fail "the desktop entry has no Exec line"
    # One script inside the root, so that it can stop the processes it starts.
    in_root bash -euo pipefail -c '
        Xvfb :57 -screen 0 1280x1024x24 -nolisten tcp > /tmp/xvfb.log 2>&1 & xvfb=$!
        trap "kill \$xvfb 2>/dev/null || true" EXIT
        for i in $(seq 100); do [ -S /tmp/.X11-unix/X57 ] && break; sleep 0.2; done
        export DISPLAY=:57
        '"$exec_line"' > /tmp/app.log 2>&1 & app=$!
        window=""
        for i in $(seq 150); do
            kill -0 $app 2>/dev/null || { cat /tmp/app.log; echo "the application ended early"; exit 1; }
            window=$(xdotool search --onlyvisible --name "Quellan PDF Merger" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
            sleep 0.2
        done
        [ -n "$window" ] || { cat /tmp/app.log; echo "no window appeared"; exit 1; }
        xwininfo -id "$window" | grep -E "xwininfo:|Map State"
        kill $app; wait $app || true
    ' || fail "the application did not show its window"
}

check_host_program() {
    step "a C host program built with pkg-config --cflags --libs colligo"
    cat > "$root/tmp/host.c" <<'C'
#include <colligo.h>
#include <stdio.h>
int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    DocumentHandle document = OpenPDF(argv[1], NULL);
    if (document <= 0)
        return 1;
    printf("%d\n", GetPageCount(document));
    return ClosePDF(document);
}
C
    in_root sh -c 'gcc /tmp/host.c -o /tmp/host $(pkg-config --cflags --libs colligo)' || fail "building the host program"
    local pages
    pages=$(in_root /tmp/host /tmp/a.pdf) || fail "the host program failed"
    [ "$pages" = "$(qpdf --show-npages "${samples[0]}")" ] || fail "the host program counted $pages pages"
    echo "   the host program counts $pages pages"
}

purge_packages() {
    step "apt-get purge, and autoremove what they brought in"
    in_root apt-get purge "${apt_quiet[@]}" "${packages[@]}" > "$work/purge.log" 2>&1 \
        || { cat "$work/purge.log"; fail "purge"; }
    in_root apt-get autoremove --purge "${apt_quiet[@]}" >> "$work/purge.log" 2>&1 \
        || { cat "$work/purge.log"; fail "autoremove"; }
}

check_nothing_left() {
    step "nothing of the packages is left"
    local left=0
    while read -r path; do
        [ "$path" != /. ] || continue
        if [ -e "$root$path" ] && ! grep -qxF ".$path" "$work/before.txt"; then
            echo "   left behind: $path"
            left=1
        fi
    done < "$work/owned.txt"
    list_root_files > "$work/after.txt"
    if ! diff "$work/before.txt" "$work/after.txt" > "$work/changes.txt"; then
        echo "   the root differs from before the installation:"
        sed 's/^/   /' "$work/changes.txt"
        left=1
    fi
    [ "$left" = 0 ] || fail "files are left after the purge"
    echo "   the file list equals the one before the installation ($(wc -l < "$work/before.txt") paths)"
}

main() {
    local start=$SECONDS
    find_packages
    check_with_lintian
    check_desktop_files
    make_root
    list_root_files > "$work/before.txt"
    install_packages
    check_colligo
    check_application
    check_host_program
    purge_packages
    check_nothing_left
    echo "package-test: all checks passed in $((SECONDS - start)) s"
}

main
