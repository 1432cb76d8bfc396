#!/usr/bin/env bash
# Builds the core, the command-line program and their tests with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs those tests; the first report fails the run. The same build
# folder also holds the fuzz targets (scripts/fuzz-ci.sh): the core is compiled once with coverage
# hooks (fuzzer-no-link) and serves both.
# The screen tests are not built here (ORNIVO_BUILD_UI=OFF) and the Qt painting tests are left out:
# Qt's and the font libraries' own leaks are not ours. The Python and R packages are not built: an
# instrumented module cannot load into an interpreter built without the sanitizers.
# ORNIVO_SANITIZE_BUILD names the build folder (default build-sanitize).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORNIVO_SANITIZE_BUILD:-$here/build-sanitize}"
source "$here/scripts/ccache-env.sh"
# -O1 with line tables only: a third of the compile time of -O2 -g, and reports still name file and line.
flags="-O1 -gline-tables-only -fsanitize=fuzzer-no-link"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
  "${ORNIVO_LAUNCHER[@]}" -DORNIVO_SANITIZE=ON -DORNIVO_FUZZ=ON -DORNIVO_BUILD_UI=OFF -DORNIVO_BUILD_BENCH=OFF \
  -DORNIVO_BUILD_PYTHON=OFF -DORNIVO_BUILD_R=OFF \
  -DCMAKE_C_FLAGS_SANITIZE="$flags" -DCMAKE_CXX_FLAGS_SANITIZE="$flags" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
[ "${1:-}" = "--build-only" ] && exit 0
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:suppressions=$here/tests/hardening/asan.supp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/tests/hardening/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600 -E '^(Ui|frm|Render)'
