#!/usr/bin/env bash
# Configures and builds Ornivo into build/ (optimised, assertions off, with debug information; tests and
# benchmarks included), through ccache when it is installed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/ccache-env.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${ORNIVO_LAUNCHER[@]}" "$@" >/dev/null
cmake --build "$here/build" --parallel "$(nproc)"
