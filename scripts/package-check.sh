#!/usr/bin/env bash
# Builds the programs Release (no tests, no benchmarks) and the Debian package from them, checks the
# desktop entry, the metainfo, the copyright file, the man pages and that the programs are stripped,
# installs the package with apt-get, runs the installed programs from a folder of their own, and
# removes it again.
#   scripts/package-check.sh [BUILD_FOLDER]     (default: build-release; configured Release and built here)
# Needs root or sudo (apt-get) and the tools of scripts/packages.sh (dpkg-dev, file, appstream,
# desktop-file-utils, man-db, python3-debian).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build-release}"
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt"; then
  echo "package-check: $build is not a Release build folder; give a new or a Release one" >&2
  exit 1
fi
source "$here/scripts/ccache-env.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${ORNIVO_LAUNCHER[@]}" \
  -DORNIVO_BUILD_TESTS=OFF -DORNIVO_BUILD_BENCH=OFF -DORNIVO_BUILD_R=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
build="$(cd "$build" && pwd)"
work="$(mktemp -d)"
installed=""
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
apt_get() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

cleanup() {
  if [ -n "$installed" ]; then
    apt_get remove -y -qq ornivo >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

step() { echo "package-check: $*"; }
fail() { echo "package-check: FAILED: $*" >&2; exit 1; }

step "desktop entry and metainfo"
desktop-file-validate "$here/packaging/ornivo.desktop"
appstreamcli validate --no-net "$build/packaging/org.ornivo.Ornivo.metainfo.xml"

step "cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb="$(ls "$work"/deb/ornivo_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
step "$(basename "$deb"), depends: $depends"
case "$depends" in *libqt6*) ;; *) fail "the dependencies found by shlibdeps lack Qt: $depends" ;; esac
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/ornivo ./usr/bin/ornivo-cli ./usr/share/ornivo/Data/Birds.db \
         "./usr/share/ornivo/XLTemplates/PowerCurve.xlsx" ./usr/share/applications/ornivo.desktop \
         ./usr/share/ornivo/Manual/Introduction.md ./usr/share/icons/hicolor/scalable/apps/ornivo.svg ./usr/share/metainfo/org.ornivo.Ornivo.metainfo.xml \
         ./usr/share/doc/ornivo/copyright ./usr/share/man/man1/ornivo.1.gz ./usr/share/man/man1/ornivo-cli.1.gz; do
  grep -qF " $f" <<<"$contents" || fail "the package lacks $f"
done

step "apt-get install"
apt_get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 \
  || { cat "$work/apt.log"; fail "apt-get install"; }
installed=yes
desktop-file-validate /usr/share/applications/ornivo.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.ornivo.Ornivo.metainfo.xml >/dev/null

step "stripped programs"
for p in /usr/bin/ornivo /usr/bin/ornivo-cli; do
  description="$(file -b "$p")"
  step "$p: $(du -k "$p" | cut -f1) KB, $description"
  case "$description" in *", stripped"*) ;; *) fail "$p is not stripped" ;; esac
  readelf -S "$p" | grep -q '\.debug_' && fail "$p carries debug information"
done

step "copyright file"
# Machine-readable (DEP-5), with the credits of the bird tables and of the stork track.
/usr/bin/python3 - /usr/share/doc/ornivo/copyright <<'PY' || fail "the copyright file"
import sys
from debian.copyright import Copyright
c = Copyright(open(sys.argv[1], encoding="utf-8"), strict=True)
defined = {p.license.synopsis for p in c.all_license_paragraphs()}
for p in c.all_files_paragraphs():
    if not p.license.text and p.license.synopsis not in defined:
        sys.exit("no licence text for " + p.license.synopsis)
for f in ("src/main.cpp", "data/birds/preset_birds.csv", "data/tracks/README.md"):
    p = c.find_files_paragraph(f)
    print("  %s: %s" % (f, p.license.synopsis if p else None))
    if p is None:
        sys.exit("no Files paragraph covers " + f)
if c.find_files_paragraph("data/tracks/README.md").license.synopsis != "CC0-1.0":
    sys.exit("the stork track is not CC0-1.0")
PY

step "man pages"
for page in ornivo ornivo-cli; do
  file="/usr/share/man/man1/$page.1.gz"
  # man renders it through groff with its warnings on; any message fails.
  messages="$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >"$work/$page.man")" || fail "man -l $file"
  [ -z "$messages" ] || fail "man -l $file warns: $messages"
  grep -q "^NAME" "$work/$page.man" || fail "$file renders without a NAME section"
  lexgrog "$file" | grep -q "\"$page - " || fail "lexgrog finds no whatis line in $file"
  man -w "$page" | grep -qx "$file" || fail "man $page does not find $file"
done

# The installed programs, away from the build tree, with a home of their own.
mkdir -p "$work/home" "$work/run"
cd "$work/run"
export HOME="$work/home"
unset ORNIVO_PROGRAM_DIR ORNIVO_DATA_HOME ORNIVO_DOCUMENTS_DIR XDG_DATA_HOME
version="$(/usr/bin/ornivo-cli --version)"
step "$version"
[[ "$version" == "ornivo-cli "* ]] || fail "ornivo-cli --version printed: $version"
gui_version="$(QT_QPA_PLATFORM=offscreen /usr/bin/ornivo --version)"
step "$gui_version"
[ "$gui_version" = "ornivo ${version#ornivo-cli }" ] || fail "ornivo --version printed: $gui_version"
# One version: the package's, --version's and the outputs' version line.
package_version="$(dpkg-deb -f "$deb" Version)"
[ "$version" = "ornivo-cli $package_version" ] || fail "package $package_version but $version"

if /usr/bin/python3 -c "import numpy, pandas" 2>/dev/null; then
  step "the Python package from Debian's Python"
  /usr/bin/python3 -c "import ornivo; n = len(ornivo.presets()); r = ornivo.power_curves(ornivo.presets()[['Preset']]); assert n > 100 and (r.status == 'ok').all(); print('  ornivo', ornivo.__version__, ornivo.__file__, n, 'presets')" \
    || fail "import ornivo"
fi

bird="$(/usr/bin/ornivo-cli birds list --preset | sed -n 's/^ *"ShortName": "\(.*\)",\{0,1\}$/\1/p' | head -n 1)"
[ -n "$bird" ] || fail "the installed preset table lists no bird"
step "power curve of the preset bird \"$bird\""
printf '{"Preset": "%s"}' "$bird" | /usr/bin/ornivo-cli power-curve - --format text >"$work/curve.txt"
grep -qx "Computed by Ornivo Version $package_version" "$work/curve.txt" \
  || fail "the text output's version line is not $package_version"
printf '{"Preset": "%s"}' "$bird" | /usr/bin/ornivo-cli power-curve - >"$work/curve.json"
grep -q '"VmpExact"' "$work/curve.json" || fail "no power curve for $bird"
# The workbook output reads its template from share/ornivo/XLTemplates.
printf '{"Preset": "%s"}' "$bird" | /usr/bin/ornivo-cli power-curve - --format xlsx --out "$work/curve.xlsx"
[ -s "$work/curve.xlsx" ] || fail "no workbook written"
/usr/bin/ornivo-cli manual Introduction >"$work/intro.txt" || fail "the installed manual"
grep -qi "ornivo" "$work/intro.txt" || fail "the installed manual's Introduction is empty"
/usr/bin/ornivo-cli batch glide-polar --preset -j 2 --out "$work/polars.csv"
[ "$(wc -l <"$work/polars.csv")" -gt 100 ] || fail "batch over the preset table"

step "apt-get remove"
apt_get remove -y -qq ornivo >/dev/null
installed=""
[ ! -e /usr/bin/ornivo-cli ] || fail "ornivo-cli is still there after removal"
step "ok"
