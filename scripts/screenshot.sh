#!/usr/bin/env bash
# Photographs the application's windows: `scripts/screenshot.sh OUTDIR [BUILD]`.
# Starts a private X server (Xvfb), runs the real application (build/bin/Korvel)
# and writes one PNG per window it shows into OUTDIR; then runs the skin demo
# (build/gui/skins/skindemo), which shows every skinned window with its artwork, and
# writes one PNG per demo window; last it runs the first-merge tour
# (build/gui/quellan-tour), which writes merge-N-STEP.png for the README.
# Needs xvfb, xdotool and qpdf (scripts/install-deps.sh).
set -euo pipefail

outdir=${1:?usage: scripts/screenshot.sh OUTDIR [BUILD]}
build=${2:-build}
bin="$build/bin"
shot="$build/gui/skins/skinshot"
mkdir -p "$outdir"

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done
[ -x "$shot" ] || { echo "screenshot: $shot is missing; build first (make build)" >&2; exit 1; }

# A display number nobody uses yet.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  kill "$xvfb_pid" 2>/dev/null || true
  [ -z "${runtime_dir:-}" ] || rm -rf "$runtime_dir"
}
trap cleanup EXIT
export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
runtime_dir=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime_dir"
for _ in $(seq 50); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

# Waits until the program shows at least `expected` windows and they have
# stopped changing, then prints their ids.
visible_windows() {
  local pid=$1 expected=$2 ids="" previous="-"
  for _ in $(seq 100); do
    ids=$(xdotool search --onlyvisible --pid "$pid" '' 2>/dev/null | sort || true)
    if [ -n "$ids" ] && [ "$(wc -l <<<"$ids")" -ge "$expected" ] && [ "$ids" = "$previous" ]; then
      break
    fi
    previous=$ids
    sleep 0.2
  done
  sleep 0.5 # let the last paint reach the server
  printf '%s\n' "$ids"
}

# Photographs every visible window of a program as OUTDIR/PREFIX-TITLE.png.
photograph() {
  local pid=$1 prefix=$2 expected=$3 id title name count=0
  while read -r id; do
    [ -n "$id" ] || continue
    title=$(xdotool getwindowname "$id" 2>/dev/null || true)
    # Untitled ones are the toolkit's own helper windows, not the program's.
    [ -n "$title" ] || continue
    # Without a window manager every window opens at the same place: bring
    # this one to the top so it is photographed whole.
    xdotool windowraise "$id"
    sleep 0.3
    name=$(printf '%s' "${title#demo-}" | tr -c 'A-Za-z0-9._-' '_')
    "$shot" "$id" "$outdir/$prefix-$name.png"
    echo "screenshot: $outdir/$prefix-$name.png"
    count=$((count + 1))
  done < <(visible_windows "$pid" "$expected")
  [ "$count" -gt 0 ] || echo "screenshot: $prefix showed no window" >&2
}

run_and_photograph() {
  local program=$1 prefix=$2 expected=$3
  if [ ! -x "$program" ]; then
    echo "screenshot: $program is not built; skipped" >&2
    return
  fi
  (cd "$(dirname "$program")" && exec "./$(basename "$program")") >/dev/null 2>&1 &
  local pid=$!
  started+=("$pid")
  photograph "$pid" "$prefix" "$expected"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

run_and_photograph "$bin/Korvel" app 1
run_and_photograph "$build/gui/skins/skindemo" skin 6

# A first merge in the real windows over the real engine. The three files are
# cut from R's manuals; the middle one is the whole reference manual (2415
# pages), so the merge lasts long enough to be seen. The tour gets a home
# folder of its own: it merges into the default output folder under it.
merge_tour() {
  local tour="$build/gui/quellan-tour" manuals=/usr/share/R/doc/manual
  if [ ! -x "$tour" ]; then
    echo "screenshot: $tour is not built; skipped" >&2
    return
  fi
  if ! command -v qpdf >/dev/null || [ ! -f "$manuals/refman.pdf" ]; then
    echo "screenshot: qpdf or R's manuals are missing; run scripts/install-deps.sh" >&2
    return
  fi
  local samples="$runtime_dir/samples"
  mkdir -p "$samples" "$runtime_dir/home"
  qpdf --empty --pages "$manuals/R-intro.pdf" 1-12 -- "$samples/intro.pdf"
  cp "$manuals/refman.pdf" "$samples/reference.pdf"
  qpdf --empty --pages "$manuals/R-admin.pdf" 1-6 -- "$samples/appendix.pdf"
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_DOCUMENTS_DIR HOME="$runtime_dir/home" "$tour" "$outdir" \
    "$samples/intro.pdf" "$samples/reference.pdf" "$samples/appendix.pdf" | sed 's/^/screenshot: /' &
  local pid=$!
  started+=("$pid")
  wait "$pid" || echo "screenshot: the first-merge tour failed" >&2
}

merge_tour
