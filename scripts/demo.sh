#!/usr/bin/env bash
# The main job: installs what is needed, builds the native release, and renders the demo image
# (build/release/demo.png, or the path given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target lumora
build/release/cli/lumora demo "${1:-build/release/demo.png}"
