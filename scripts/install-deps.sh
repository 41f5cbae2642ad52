#!/usr/bin/env bash
# Installs every Debian 12 package the build, the application and the tests need
# (plus the groups named as arguments).
# Idempotent: packages already present are left alone, so a second run costs a dpkg query.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libpoppler-private-dev libpoppler-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev
  # lrelease and lupdate for the translations, and Qt's own translated texts
  qt6-l10n-tools qt6-translations-l10n
  # the captions' font, and one that has Japanese
  fonts-dejavu-core fonts-ipafont-gothic
  libnss3-dev libnss3-tools
  libpugixml-dev
  googletest libgtest-dev
  # test oracles and benchmark peers; groff renders the man page
  qpdf poppler-utils ghostscript python3-pikepdf mupdf-tools groff-base
  r-doc-pdf octave-doc gnuplot-doc
  texlive-latex-recommended-doc texlive-metapost-doc asymptote-doc ruby-prawn-doc
  time bc
  xvfb x11-utils xdotool
)

# Groups needed only by some targets: `install-deps.sh fuzz` adds the fuzzing compiler.
for group in "$@"; do
  case $group in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "install-deps: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
