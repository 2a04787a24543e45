#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS (default 30) from its seeds in
# fuzz/corpus/<name>/; what it learns goes to <build>/corpus/<name>/, faults
# to <build>/findings/<name>/. FUZZ_TARGETS="utf8 string" runs only those.
# Extra libFuzzer flags of a target stand in fuzz/<name>_fuzz.options; a
# target that stops early (-runs there) is restarted until its time is up.
# Each target's line ends with the coverage and the inputs a second of its
# last run.
set -euo pipefail

src=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$src/../build/fuzz}" && pwd)
seconds=${FUZZ_SECONDS:-30}
status=0

for bin in "$build"/fuzz/*_fuzz; do
  name=$(basename "$bin" _fuzz)
  if [ -n "${FUZZ_TARGETS:-}" ] && [[ " $FUZZ_TARGETS " != *" $name "* ]]; then
    continue
  fi
  options=()
  if [ -f "$src/${name}_fuzz.options" ]; then
    read -r -a options < "$src/${name}_fuzz.options"
  fi
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  log="$build/findings/$name.log"
  seeds=()
  if [ -d "$src/corpus/$name" ]; then
    seeds=("$src/corpus/$name")
  fi
  mkdir -p "$corpus" "$findings"
  : > "$log"
  deadline=$((SECONDS + seconds))
  result=ok
  while (( SECONDS < deadline )); do
    if ! "$bin" "${options[@]}" -max_total_time=$((deadline - SECONDS)) \
         -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >>"$log" 2>&1; then
      result="FAULT (see $log and $findings/)"
      status=1
      break
    fi
  done
  # The last run's closing figures: edges covered and inputs a second.
  figures=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 |
            sed -E 's/.*cov: ([0-9]+).*exec\/s: ([0-9]+).*/, cov \1, \2 inputs a second/' || true)
  echo "fuzz: $name: $result, corpus $(ls "$corpus" | wc -l) inputs$figures"
done
exit $status
