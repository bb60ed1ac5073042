#!/usr/bin/env bash
# The main job: installs what is needed, builds the native release, and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
build/release/cli/lumora module info
