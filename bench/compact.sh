#!/usr/bin/env bash
# Output sizes of the compact layout against the sum of the inputs, mutool
# merge and qpdf with generated object streams; one timed run each
# (/usr/bin/time), so the times are indicative on a shared machine.
# Usage: bench/compact.sh BUILD [TEMPLATE_FOLDER]
# TEMPLATE_FOLDER holds the "thousand files from one template" workload
# (bench/make_template_files.py FOLDER 1000).
set -uo pipefail
build=$1
template=${2:-}
colligo=$build/bin/colligo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
docs=/usr/share/doc
R=$docs/r-doc-pdf/manual
T=$docs/texlive-doc/latex

run() { # label output command...
  local label=$1 out=$2; shift 2
  rm -f "$out"
  /usr/bin/time -o "$work/time" -f "%e s %M KiB" "$@" > /dev/null 2>&1
  printf '  %-32s %12s bytes  %s\n' "$label" "$(stat -c %s "$out" 2>/dev/null || echo -)" "$(tail -1 "$work/time")"
}

workload() { # name files...
  local name=$1; shift
  echo "$name: $(du -cbL "$@" | tail -1 | cut -f1) bytes in $# files"
  run "colligo --classic --plain" "$work/a.pdf" "$colligo" merge --classic --plain -o "$work/a.pdf" "$@"
  run "colligo --plain" "$work/b.pdf" "$colligo" merge --plain -o "$work/b.pdf" "$@"
  run "colligo --plain --no-dedupe" "$work/c.pdf" "$colligo" merge --plain --no-dedupe -o "$work/c.pdf" "$@"
  run "colligo --classic" "$work/d.pdf" "$colligo" merge --classic -o "$work/d.pdf" "$@"
  run "colligo" "$work/e.pdf" "$colligo" merge -o "$work/e.pdf" "$@"
  run "mutool merge" "$work/m.pdf" mutool merge -o "$work/m.pdf" "$@"
  run "qpdf --object-streams=generate" "$work/q.pdf" qpdf --empty --object-streams=generate --pages "$@" -- "$work/q.pdf"
}

workload "seven R manuals" $R/R-FAQ.pdf $R/R-intro.pdf $R/R-admin.pdf $R/R-data.pdf $R/R-lang.pdf $R/R-exts.pdf $R/R-ints.pdf
workload "Octave manual and liboctave" $docs/octave/octave.pdf $docs/octave/liboctave.pdf
workload "gnuplot manual x3" $docs/gnuplot/gnuplot.pdf $docs/gnuplot/gnuplot.pdf $docs/gnuplot/gnuplot.pdf
workload "LaTeX package guides" $T/memoir/memman.pdf $T/listings/listings.pdf $T/microtype/microtype.pdf $T/caption/caption.pdf $T/fontspec/fontspec.pdf
if [ -n "$template" ]; then
  workload "1000 files from one template" "$template"/*.pdf
  run "mutool clean -gggg of merge" "$work/g.pdf" mutool clean -gggg "$work/m.pdf" "$work/g.pdf"
fi
