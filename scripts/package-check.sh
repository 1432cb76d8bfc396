#!/usr/bin/env bash
# Builds the Debian package from a built tree, checks the desktop entry and the metainfo, installs the
# package with apt-get, runs the installed programs from a folder of their own, and removes it again.
#   scripts/package-check.sh [BUILD_FOLDER]     (default: build; the tree must be built)
# Needs root or sudo (apt-get) and the tools of scripts/packages.sh (dpkg-dev, file, appstream,
# desktop-file-utils).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$here/build}" && pwd)"
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
         ./usr/share/ornivo/Manual/Introduction.md ./usr/share/icons/hicolor/scalable/apps/ornivo.svg ./usr/share/metainfo/org.ornivo.Ornivo.metainfo.xml; do
  grep -qF " $f" <<<"$contents" || fail "the package lacks $f"
done

step "apt-get install"
apt_get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 \
  || { cat "$work/apt.log"; fail "apt-get install"; }
installed=yes
desktop-file-validate /usr/share/applications/ornivo.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.ornivo.Ornivo.metainfo.xml >/dev/null

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

bird="$(/usr/bin/ornivo-cli birds list --preset | sed -n 's/^ *"ShortName": "\(.*\)",\{0,1\}$/\1/p' | head -n 1)"
[ -n "$bird" ] || fail "the installed preset table lists no bird"
step "power curve of the preset bird \"$bird\""
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
