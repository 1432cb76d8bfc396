#!/usr/bin/env bash
# Runs every fuzz target (fuzz/fuzz_*.cpp) for a few seconds each, two at a time, starting from its
# seed corpus in fuzz/corpus/<name>; a crash, a sanitizer report, a leak or a hang fails the run and
# prints the target's report. The targets are built in the sanitizer build folder
# (scripts/test-sanitize.sh builds them; this script builds what is missing).
#   scripts/fuzz-ci.sh [seconds per target, default 15] [target names...]
# ORNIVO_SANITIZE_BUILD names the build folder (default build-sanitize).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORNIVO_SANITIZE_BUILD:-$here/build-sanitize}"
source "$here/scripts/ccache-env.sh"
seconds="${1:-15}"
shift || true
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in "$here"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
if [ ! -f "$build/build.ninja" ]; then
  ORNIVO_SANITIZE_BUILD="$build" "$here/scripts/test-sanitize.sh" --build-only
fi
cmake --build "$build" --target "${targets[@]}" --parallel "$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:suppressions=$here/tests/hardening/asan.supp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/tests/hardening/lsan.supp:print_suppressions=0"
export TMPDIR="$work"

run_one() {
  local name="$1" corpus="$work/${1#fuzz_}"
  mkdir -p "$corpus"
  cp -r "$here/fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
  if "$build/fuzz/$name" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$work/$name-" >"$work/$name.log" 2>&1; then
    # The last count is the fuzzer's own: a reader child that dies prints its copy's count too.
    echo "$name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | tail -n 1 | grep -o '[0-9]*$') runs, no finding"
  else
    echo "$name: FINDING"
    tail -n 150 "$work/$name.log"
    # The newest input is the one that ended the run (reader children that died left theirs before).
    ls -t "$work/$name-"* 2>/dev/null | head -n 1 | while read -r a; do echo "input: $(base64 -w0 "$a" | head -c 40000)"; done
    return 1
  fi
}
export -f run_one
export build work seconds here
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one {}'
