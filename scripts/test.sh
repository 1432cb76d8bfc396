#!/usr/bin/env bash
# Sets up, builds and runs every test of Ornivo.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/packages.sh"
"$here/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$here/build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
