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
  # the engine's object streams and cross-reference streams
  zlib1g-dev
  googletest libgtest-dev
  # test oracles and benchmark peers; groff renders the man page
  qpdf poppler-utils ghostscript python3-pikepdf mupdf-tools groff-base
  r-doc-pdf octave-doc gnuplot-doc
  texlive-latex-recommended-doc texlive-metapost-doc asymptote-doc ruby-prawn-doc
  time bc
  xvfb x11-utils xdotool
  # readers of the whole document: PDFBox preflight (PDF/A-1b) runs on Java 17 with
  # libpdfbox2-java's jars plus the activation and JAXB APIs that Java 11 dropped
  default-jre-headless libpdfbox2-java libactivation-java libjaxb-api-java
)

# Groups needed only by some targets: `install-deps.sh fuzz` adds the fuzzing compiler,
# `install-deps.sh package` the Debian packaging and its checks (make package, package-test),
# `install-deps.sh fixtures` LibreOffice for tests/fixtures/whole/make-fixtures.sh (`make test`
# reads the committed fixtures and needs no LibreOffice), `install-deps.sh bench` the large
# manuals `make bench` merges whole (the TikZ/PGF and pgfplots manuals, the Ada reference manual;
# about 250 MB to download, so not for the tests).
for group in "$@"; do
  case $group in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    fixtures) packages+=(libreoffice-writer-nogui) ;;
    bench) packages+=(texlive-pictures-doc ada-reference-manual-2012) ;;
    package) packages+=(dpkg-dev file lintian appstream libxml2-utils debootstrap) ;;
    *) echo "install-deps: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -ne 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "install-deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# pdf.js, the structure reader of tests/support/pdfjs_structure.mjs: pdfjs-dist from npm as
# tests/support/js/package-lock.json pins it, installed into tests/support/js/node_modules once
# (and again when the lock file changes). pdfjs-dist 5.6 wants Node.js 20.19 or later: the
# machines this project runs on ship Node.js 20 with npm (/usr/bin/node, /usr/bin/npm);
# Debian 12's own nodejs is 18.
js="$(cd "$(dirname "$0")/.." && pwd)/tests/support/js"
if [ ! -f "$js/node_modules/.package-lock.json" ] || [ "$js/package-lock.json" -nt "$js/node_modules/.package-lock.json" ]; then
  if command -v npm > /dev/null && command -v node > /dev/null; then
    echo "install-deps: installing pdfjs-dist into tests/support/js" >&2
    (cd "$js" && npm ci --no-audit --no-fund --loglevel=error > /dev/null)
  else
    echo "install-deps: node and npm (Node.js 20) are missing; the pdf.js tests will fail" >&2
  fi
fi
