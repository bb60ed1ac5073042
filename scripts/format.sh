#!/usr/bin/env bash
# Formats the C++ sources in place by .clang-format (hostapi/ keeps the SDK headers' own layout).
#   scripts/format.sh            every tracked source
#   scripts/format.sh FILE...    only these
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
if [ $# -gt 0 ]; then
  "$format" -i "$@"
else
  git ls-files '*.cpp' '*.h' | grep -v '^hostapi/' | xargs "$format" -i
fi
