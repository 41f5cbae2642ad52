#!/usr/bin/env bash
# Runs each libFuzzer target for a while on its corpus: scripts/fuzz.sh BUILD SECONDS TARGET...
# The corpus starts from inputs written at build time and keeps what the fuzzer found new; a crash,
# leak or hang stops the target, fails the run and is kept under BUILD/findings.
set -uo pipefail
build=$1
seconds=$2
shift 2
seeds="$build/tests/fuzz/seeds"
# An empty certificate database of its own, so the certificate handler runs with NSS up.
export HOME="$build/fuzz-home"
if [ ! -f "$HOME/.pki/nssdb/cert9.db" ]; then
  mkdir -p "$HOME/.pki/nssdb"
  certutil -N -d "sql:$HOME/.pki/nssdb" --empty-password
fi
failed=0
for target in "$@"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  case $target in
    FuzzPublicKey) cp -n "$seeds"/dictionaries/* "$corpus"/ 2>/dev/null ;;
    *) cp -n "$seeds"/documents/* "$corpus"/ 2>/dev/null ;;
  esac
  echo "== $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 "$build/bin/$target" "$corpus" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 2>&1 | grep -E "^(#[0-9]+.*(DONE|pulse)|stat::|==[0-9]+==ERROR|SUMMARY|Done)" | tail -12
  if [ "${PIPESTATUS[0]}" -ne 0 ]; then
    echo "!! $target failed; its input is in $findings"
    failed=1
  fi
done
exit $failed
