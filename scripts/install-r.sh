#!/usr/bin/env bash
# Installs the R package ornivo (r/ornivo), linked to the libraries of a CMake build of Ornivo.
#   scripts/install-r.sh [--build DIR] [--lib DIR] [--program-dir DIR]
#     --build        the build folder, built at least up to the library (default: build)
#     --lib          the R library to install into (default: R's first writable library, else
#                    R_LIBS_USER, made when missing)
#     --program-dir  the programs' folder, where the package finds the shipped files (default:
#                    BUILD/bin; PREFIX/bin for an installed Ornivo)
#     --log FILE     R's output into FILE, shown only when the install fails
# The package is built from a copy in BUILD/r/ornivo, so that the sources stay clean.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
lib=""
program_dir=""
log=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; shift 2 ;;
    --lib) lib="$2"; shift 2 ;;
    --program-dir) program_dir="$2"; shift 2 ;;
    --log) log="$2"; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--lib DIR] [--program-dir DIR] [--log FILE]" >&2; exit 2 ;;
  esac
done
build="$(cd "$build" && pwd)"

if [ -z "$lib" ]; then
  lib="$(Rscript -e 'l <- .libPaths()[file.access(.libPaths(), 2) == 0]; cat(if (length(l)) l[1] else "")')"
  if [ -z "$lib" ]; then
    lib="$(Rscript -e 'cat(path.expand(Sys.getenv("R_LIBS_USER")))')"
  fi
fi
mkdir -p "$lib"

copy="$build/r/ornivo"
rm -rf "$copy"
mkdir -p "$copy"
cp -R "$here/r/ornivo/." "$copy"
(cd "$copy" && ./cleanup)

# The one compiled file through ccache, as the rest of the build.
if command -v ccache >/dev/null; then
  makevars="$build/r/Makevars-ccache"
  echo "CXX20 = ccache $(R CMD config CXX20)" >"$makevars"
  export R_MAKEVARS_USER="$makevars"
fi
export ORNIVO_SOURCE="$here" ORNIVO_BUILD="$build"
if [ -n "$program_dir" ]; then export ORNIVO_PROGRAM_DIR="$program_dir"; fi
install=(R CMD INSTALL --no-multiarch --strip --library="$lib" "$copy")
if [ -z "$log" ]; then
  "${install[@]}"
elif ! "${install[@]}" >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
