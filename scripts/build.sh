#!/usr/bin/env bash
# Configures and builds Ornivo into build/ (Release with assertions off, tests and benchmarks included).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$here/build" --parallel "$(nproc)"
