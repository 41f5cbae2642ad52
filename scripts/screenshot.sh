#!/usr/bin/env bash
# Photographs every window and box of the application:
#     scripts/screenshot.sh [--every-scale] [OUTDIR] [BUILD]
# (OUTDIR defaults to docs/screenshots, BUILD to build; build first.)
#
# Starts a private X server (Xvfb) and runs the tour program
# (BUILD/gui/quellan-tour), which goes through the real windows over the real
# engine with three files cut from R's manuals:
#   - in English, the whole tour: the first merge of the README
#     (merge-1-files.png ... merge-5-done.png), every other window
#     (window-*.png) and every question and message box (box-*.png);
#   - in German, French and Japanese (de-*.png, fr-*.png, ja-*.png) and at
#     1.5x and 2x scale (scale150-*.png, scale200-*.png), a short tour of the
#     main window, the method dialog, the options, the About window, a merge
#     stopped part-way, the measuring dialog stopped part-way and the question
#     before closing;
#   - that short tour once more with every text half as long again
#     (longer-*.png), which shows how the windows make room for a language
#     with longer texts than English.
# --every-scale photographs that short tour in all four languages and with the
# longer texts, each at the three scales, instead (en-scale100-*.png ...
# longer-scale200-*.png), to compare every window at every size.
# Needs xvfb, xdotool and qpdf (scripts/install-deps.sh).
set -euo pipefail

every_scale=0
if [ "${1:-}" = "--every-scale" ]; then
  every_scale=1
  shift
fi
outdir=${1:-docs/screenshots}
build=${2:-build}
tour="$build/gui/quellan-tour"
manuals=/usr/share/R/doc/manual
mkdir -p "$outdir"

for tool in Xvfb xdotool qpdf; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done
[ -x "$tour" ] || { echo "screenshot: $tour is missing; build first (make build)" >&2; exit 1; }
[ -f "$manuals/refman.pdf" ] || { echo "screenshot: R's manuals are missing; run scripts/install-deps.sh" >&2; exit 1; }

# A display number nobody uses yet; room for the main window at twice its size.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 2400x1600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
runtime_dir=$(mktemp -d)
cleanup() {
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$runtime_dir"
}
trap cleanup EXIT
export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$runtime_dir"
for _ in $(seq 50); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

# The three files: the middle one is the whole reference manual (2415
# pages), so the merge lasts long enough to be seen.
samples="$runtime_dir/samples"
mkdir -p "$samples"
qpdf --empty --pages "$manuals/R-intro.pdf" 1-12 -- "$samples/intro.pdf"
cp "$manuals/refman.pdf" "$samples/reference.pdf"
qpdf --empty --pages "$manuals/R-admin.pdf" 1-6 -- "$samples/appendix.pdf"

# One run of the tour, in a home folder of its own (the merge writes into the
# default output folder under it), with the environment given.
run_tour() {
  local home="$runtime_dir/home-$RANDOM"
  mkdir -p "$home"
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_DOCUMENTS_DIR -u LANGUAGE -u LC_ALL -u LC_MESSAGES \
    HOME="$home" LANG=C.UTF-8 "$@" "$tour" $TOUR_ARGUMENTS "$outdir" \
    "$samples/intro.pdf" "$samples/reference.pdf" "$samples/appendix.pdf" | sed 's/^/screenshot: /'
  local status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || { echo "screenshot: the tour failed ($*)" >&2; return 1; }
}

failed=0
if [ "$every_scale" -eq 1 ]; then
  for language in en de fr ja longer; do
    for scale in 1 1.5 2; do
      percent=$(echo "$scale * 100 / 1" | bc)
      if [ "$language" = longer ]; then
        TOUR_ARGUMENTS="--short --longer --prefix longer-scale$percent-" run_tour QT_SCALE_FACTOR="$scale" || failed=1
      else
        TOUR_ARGUMENTS="--short --prefix $language-scale$percent-" \
          run_tour LANGUAGE="$language" QT_SCALE_FACTOR="$scale" || failed=1
      fi
    done
  done
  exit "$failed"
fi
TOUR_ARGUMENTS="" run_tour || failed=1
for language in de fr ja; do
  TOUR_ARGUMENTS="--short --prefix $language-" run_tour LANGUAGE="$language" || failed=1
done
for scale in 1.5 2; do
  percent=$(echo "$scale * 100 / 1" | bc)
  TOUR_ARGUMENTS="--short --prefix scale$percent-" run_tour QT_SCALE_FACTOR="$scale" || failed=1
done
TOUR_ARGUMENTS="--short --longer --prefix longer-" run_tour || failed=1
exit "$failed"
