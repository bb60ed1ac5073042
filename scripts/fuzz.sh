#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, ASan and UBSan) and runs each for SECONDS
# (default 60) from its seeds in fuzz/corpus/<target>; new inputs go to build/fuzz/corpus/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Prints each target's executions; a finding stops the run with the crashing input saved.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(GradientTextFuzz FlatDataFuzz SettingsFileFuzz PresetFileFuzz ProjectFileFuzz ModuleFileFuzz
           CommandValuesFuzz PngFileFuzz)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
for target in "${targets[@]}"; do
  work=build/fuzz/corpus/$target
  mkdir -p "$work" build/fuzz/findings
  log=build/fuzz/$target.log
  # Detected leaks are findings too; the run keeps going past none.
  if ! "build/fuzz/fuzz/$target" "$work" "fuzz/corpus/$target" -max_total_time="$seconds" \
      -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/findings/$target-" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz: $target found a problem (input saved under build/fuzz/findings/)" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  echo "fuzz: $target: $runs executions in ${seconds} s, nothing found"
done
