#!/usr/bin/env bash
# The engine's layers point downwards only: api over writer over reading over
# platform over the page-range text module. Every quoted include of a layer
# must name a header of that layer or of one below it; a header found in a
# layer above is a wrong turn.
set -euo pipefail
engine=$1
layers=(pageranges platform reading writer api)   # lowest first
status=0
for ((level = 0; level < ${#layers[@]}; level++)); do
  layer=${layers[level]}
  for source in "$engine/$layer"/*; do
    [[ -f $source ]] || continue
    while IFS= read -r header; do
      found=""
      for ((other = 0; other < ${#layers[@]}; other++)); do
        candidate=${layers[other]}
        # A header named with its folder ("writer/X.h") or beside the source ("X.h").
        if [[ $header == "$candidate/"* && -e "$engine/$header" ]] ||
           [[ $header != */* && $candidate == "$layer" && -e "$engine/$layer/$header" ]]; then
          found=$other
        fi
      done
      if [[ -z $found ]]; then
        echo "$source includes \"$header\", which is not in any of the engine's layers" >&2
        status=1
      elif ((found > level)); then
        echo "$source ($layer) includes \"$header\" from the layer above (${layers[found]})" >&2
        status=1
      fi
    done < <(sed -n 's/^#include "\(.*\)".*/\1/p' "$source")
  done
done
exit $status
