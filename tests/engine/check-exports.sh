#!/usr/bin/env bash
# The engine library shows exactly the exports its version script names.
set -euo pipefail
library=$1
map=$2
expected=$(sed -n '/global:/,/local:/p' "$map" | tr ' ;' '\n\n' | grep -E '^[A-Za-z_][A-Za-z0-9_]*$' | grep -v -E '^(global|local)$' | sort)
actual=$(nm -D --defined-only "$library" | awk '{print $3}' | grep -v -E '^(_init|_fini|_edata|_end|__bss_start)$' | sed 's/@.*//' | sort)
if [ "$expected" != "$actual" ]; then
  echo "visible symbols differ from the exports:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
# The one C++ name: poppler's encryption check, which the engine replaces.
cxx_names=$(echo "$actual" | grep '^_Z' || true)
if [ "$cxx_names" != "_ZN6PDFDoc15checkEncryptionERKSt8optionalI9GooStringES4_" ]; then
  echo "C++ symbols other than PDFDoc::checkEncryption are visible: $cxx_names"
  exit 1
fi
echo "exports: $(echo "$actual" | tr '\n' ' ')"
