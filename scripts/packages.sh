#!/usr/bin/env bash
# Installs, with Debian's package archive, everything Ornivo needs to build, run and test.
# Both README commands and CI use this one list.
set -euo pipefail
PACKAGES=(
  build-essential cmake pkg-config ninja-build
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libsqlite3-dev sqlite3
  libxlsxwriter-dev libzip-dev libpugixml-dev libfreexl-dev
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation
  python3 python3-xlwt poppler-utils
  ccache
  dpkg-dev file appstream desktop-file-utils man-db python3-debian
  clang libfuzzer-14-dev libclang-rt-14-dev
  python3-dev pybind11-dev python3-numpy python3-pandas python3-dask python3-pytest python3-matplotlib
  r-base-dev r-cran-rcpp r-cran-testthat
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
