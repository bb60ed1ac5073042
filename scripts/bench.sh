#!/usr/bin/env bash
# Builds the native release and runs lumora_bench; arguments go to it unchanged, e.g.
#   scripts/bench.sh --benchmark_filter='FullRender/16bpc' --threads 4
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release --target lumora_bench
exec build/release/bench/lumora_bench "$@"
