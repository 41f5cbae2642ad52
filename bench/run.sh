#!/usr/bin/env bash
# Merges the same real documents with colligo (keeping navigation, and
# --plain: pages only), mutool, qpdf and pdfunite, the tools taking turns, and
# prints for each the median wall time, the peak memory, the output size and
# the time ratio against each peer.
#
# Usage: bench/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build=${1:-build}
runs=${2:-3}
colligo="$build/bin/colligo"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

refman=/usr/share/R/doc/manual/refman.pdf     # 2415 pages, pdfTeX, fonts and figures
octave=/usr/share/doc/octave/octave.pdf       # 1158 pages
gnuplot=/usr/share/doc/gnuplot/gnuplot.pdf    # 311 pages, many images
# The first of the given paths that exists, plain or compressed; empty when none does.
present() { for f in "$@"; do for g in "$f" "$f.gz"; do [ -f "$g" ] && { echo "$g"; return; }; done; done; echo; }
beamer=$(present /usr/share/doc/texlive-doc/latex/beamer/beameruserguide.pdf) # PGF shadings, shared resources
luatex=$(present /usr/share/doc/texlive-doc/luatex/base/luatex.pdf)           # ConTeXt, document-wide resources
manuals=$(ls /usr/share/R/doc/manual/R-*.pdf) # seven mid-sized manuals
inputs=(
  "octave x10 (11580 pages)|$(for i in $(seq 10); do echo -n "$octave "; done)"
  "refman x2 (4830 pages)|$refman $refman"
  "gnuplot x5 (1555 pages)|$(for i in $(seq 5); do echo -n "$gnuplot "; done)"
  "R manuals (677 pages)|$(echo $manuals)"
)
[ -n "$beamer" ] && inputs+=("beamer guide x3 (PGF)|$beamer $beamer $beamer")
[ -n "$luatex" ] && inputs+=("luatex manual + refman (ConTeXt)|$luatex $refman")

# Workloads without repeated files, where sharing cannot help: one large
# document merged whole with one small file; the three largest PDFs of the
# TeX Live documentation, each with the same small file; the alternating merge
# of two manuals, one listing per page per file, against the same pages listed
# once per file and qpdf --collate; a thousand small files of one template.
small=/usr/share/doc/octave/refcard-a4.pdf
inputs+=("refman + refcard (whole)|$refman $small" "octave + refcard (whole)|$octave $small")
# The large manuals of `scripts/install-deps.sh bench`: the TikZ/PGF manual (1321 pages, 11000
# named destinations), pgfplots' manual, and the Ada 2012 reference manual.
for manual in "pgfmanual|$(present /usr/share/doc/texlive-doc/generic/pgf/pgfmanual.pdf)" \
              "pgfplots|$(present /usr/share/doc/texlive-doc/latex/pgfplots/pgfplots.pdf)" \
              "Ada 2012 RM|$(present /usr/share/doc/ada-reference-manual-2012/arm2012.pdf)"; do
  [ -n "${manual#*|}" ] && inputs+=("${manual%%|*} + refcard (whole)|${manual#*|} $small")
done
while read -r size path; do
  inputs+=("$(basename "$path") ($((size / 1048576)) MB) + refcard|$path $small")
done < <(find /usr/share/doc/texlive-doc -name '*.pdf' -printf '%s %p\n' 2>/dev/null | sort -rn | head -3)
alternating=""
for page in $(seq 200); do alternating+="$octave:$page $refman:$page "; done
inputs+=("alternating octave/refman, 400 listings|$alternating" "octave 1-200 + refman 1-200|$octave:1-200 $refman:1-200"
  "collate octave/refman 200+200|collate:$octave:1-200 $refman:1-200")
template="$out/template"
mkdir -p "$template"
python3 "$(dirname "$0")/make_template_files.py" "$template" 1000 > /dev/null
inputs+=("1000 template files, 2000 pages|$(ls "$template"/*.pdf | sort | tr '\n' ' ')")

for f in "$refman" "$octave" "$gnuplot"; do
  [ -f "$f" ] || { echo "missing $f: run scripts/install-deps.sh" >&2; exit 1; }
done

# Compressed documentation comes as .pdf.gz: unpacked once into the scratch folder.
unpacked() {
  case $1 in
    *.gz) local target="$out/$(basename "${1%.gz}")"; [ -f "$target" ] || gzip -dc "$1" > "$target"; echo "$target" ;;
    *) echo "$1" ;;
  esac
}

# Runs one command under /usr/bin/time; prints "seconds kilobytes".
measure() {
  local log="$out/time.log"
  /usr/bin/time -v -o "$log" "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$log" | awk -F: '{ if (NF==3) print $1*3600+$2*60+$3; else print $1*60+$2 }')
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
  echo "$wall $rss"
}

median() { sort -n | awk '{ a[NR]=$1 } END { print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2) }'; }

tools=(colligo colligo-plain mutool qpdf pdfunite)
printf '%-28s %-14s %9s %9s %9s %9s %9s %9s\n' input tool "median s" "peak MiB" "out MiB" "vs mutool" "vs qpdf" "vs unite"
for entry in "${inputs[@]}"; do
  name=${entry%%|*}
  read -r -a listed <<< "${entry#*|}"
  collate=""
  [[ ${listed[0]} == collate:* ]] && { collate=1; listed[0]=${listed[0]#collate:}; }
  # colligo takes FILE:RANGE; mutool and qpdf take FILE RANGE; pdfunite only whole files.
  files=() pairs=() whole=1
  for f in "${listed[@]}"; do
    range=""
    [[ $f =~ ^(.*):([0-9-]+)$ ]] && { f=${BASH_REMATCH[1]}; range=${BASH_REMATCH[2]}; whole=""; }
    f=$(unpacked "$f")
    files+=("$f${range:+:$range}")
    pairs+=("$f")
    [ -n "$range" ] && pairs+=("$range")
  done
  declare -A times=() mems=() sizes=()
  for tool in "${tools[@]}"; do times[$tool]=""; mems[$tool]=""; done
  for run in $(seq "$runs"); do
    for tool in "${tools[@]}"; do
      target="$out/$tool.pdf"
      rm -f "$target"
      if [ -n "$collate" ]; then # qpdf alone can interleave; the others are not asked
        case $tool in
          qpdf) result=$(measure qpdf --collate --empty --pages "${pairs[@]}" -- "$target") ;;
          *) result="0 0" ;;
        esac
      else
        case $tool in
          colligo) result=$(measure "$colligo" merge -o "$target" "${files[@]}") ;;
          colligo-plain) result=$(measure "$colligo" merge --plain -o "$target" "${files[@]}") ;;
          mutool) result=$(measure mutool merge -o "$target" "${pairs[@]}") ;;
          qpdf) result=$(measure qpdf --empty --pages "${pairs[@]}" -- "$target") ;;
          pdfunite) if [ -n "$whole" ]; then result=$(measure pdfunite "${files[@]}" "$target"); else result="0 0"; fi ;;
        esac
      fi
      times[$tool]+="${result% *} "
      mems[$tool]+="${result#* } "
      sizes[$tool]=$( [ -f "$target" ] && stat -c %s "$target" || echo 0)
    done
  done
  declare -A med=()
  for tool in "${tools[@]}"; do
    med[$tool]=$(echo "${times[$tool]}" | tr ' ' '\n' | grep . | median)
  done
  for tool in "${tools[@]}"; do
    peak=$(echo "${mems[$tool]}" | tr ' ' '\n' | grep . | sort -n | tail -1)
    ratio() { awk -v a="${med[$tool]}" -v b="${med[$1]}" 'BEGIN { printf "%.2fx", (b > 0 ? a/b : 0) }'; }
    printf '%-28s %-14s %9.2f %9.1f %9.1f %9s %9s %9s\n' "$name" "$tool" "${med[$tool]}" "$(echo "$peak/1024" | bc -l)" \
      "$(echo "${sizes[$tool]}/1048576" | bc -l)" "$(ratio mutool)" "$(ratio qpdf)" "$(ratio pdfunite)"
  done
  unset times mems sizes med
done
echo "(ratios are median wall time against the peer's: below 1 is faster; 0.00 s: the tool was not asked,"
echo " pdfunite takes no page ranges and only qpdf collates)"

# Structural worst cases: every path through a DAG of nested forms (2^40), and
# a chain of 200000 dictionaries; time and memory must stay small.
cmake --build "$build" --target make-hostile-files > /dev/null
"$build/bin/make-hostile-files" "$out"
printf '\n%-28s %-14s %9s %9s %9s\n' "worst case (merged twice)" tool seconds "peak MiB" "out KiB"
for name in nested-forms dictionary-chain; do
  for tool in colligo mutool qpdf; do
    target="$out/$name-$tool.pdf"
    case $tool in
      colligo) result=$(measure "$colligo" merge -o "$target" "$out/$name.pdf" "$out/$name.pdf") ;;
      mutool) result=$(measure mutool merge -o "$target" "$out/$name.pdf" "$out/$name.pdf") || result="- -" ;;
      qpdf) result=$(measure qpdf --empty --pages "$out/$name.pdf" "$out/$name.pdf" -- "$target") || result="- -" ;;
    esac
    size=$( [ -f "$target" ] && stat -c %s "$target" || echo 0)
    printf '%-28s %-14s %9s %9.1f %9.1f\n' "$name" "$tool" "${result% *}" "$(echo "${result#* }/1024" | sed 's/^-\/1024$/0/' | bc -l)" "$(echo "$size/1024" | bc -l)"
  done
done

# What keeping the whole document costs beside navigation only, on a tagged
# book of about 300 pages that LibreOffice exports (its structure tree holds
# most of its objects) and on the tagged ConTeXt manual Debian ships; skipped
# without LibreOffice (scripts/install-deps.sh fixtures installs it).
echo
echo "keeping the whole document (engine calls, median of $runs)"
tagged=/usr/share/doc/texlive-doc/metapost/hershey-mp/hershey.pdf
if command -v soffice > /dev/null; then
  python3 "$(dirname "$0")/tagged_document.py" 60 > "$out/book.html"
  soffice --headless --convert-to 'pdf:writer_web_pdf_Export:{"UseTaggedPDF":{"type":"boolean","value":"true"}}' \
    --outdir "$out" "$out/book.html" > /dev/null 2>&1
  echo "tagged book ($(pdfinfo "$out/book.pdf" | awk '/^Pages/ {print $2}') pages, LibreOffice), merged with a copy of itself"
  cp "$out/book.pdf" "$out/book-copy.pdf"
  python3 "$(dirname "$0")/keep_costs.py" "$build/bin/libColligo.so" "$runs" "$out/book.pdf" "$out/book-copy.pdf"
else
  echo "tagged book: skipped (no LibreOffice)"
fi
[ -f "$tagged" ] && { echo "hershey.pdf (ConTeXt, PDF/A-3a) x10"; python3 "$(dirname "$0")/keep_costs.py" "$build/bin/libColligo.so" "$runs" $(for i in $(seq 10); do echo "$tagged"; done); }
