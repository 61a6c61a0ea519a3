#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks it without installing
# it: the file list, the dependencies, the desktop entry and AppStream data (validated), the
# manual page, and the packaged radioprog run from the package tree extracted into a scratch
# folder (it must find its Program.ini in ../share/radio-programmer).
# usage: scripts/check_package.sh [BUILD_DIR]   (default build/default)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/default}
id=io.github.radioprogrammer.RadioProgrammer

fail() { echo "package check: $*" >&2; exit 1; }

(cd "$build" && rm -f radio-programmer_*.deb && cpack -G DEB >/dev/null) || fail "cpack failed"
deb=$(ls "$build"/radio-programmer_*_*.deb)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Every file the installation promises, and nothing unexpected.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort >"$scratch/files"
expected="usr/bin/radio-programmer
usr/bin/radioprog
usr/lib/udev/rules.d/70-radio-programmer-cables.rules
usr/share/applications/$id.desktop
usr/share/bash-completion/completions/radioprog
usr/share/man/man1/radio-programmer.1.gz
usr/share/man/man1/radioprog.1.gz
usr/share/metainfo/$id.metainfo.xml
usr/share/radio-programmer/Program.ini
usr/share/radio-programmer/chHelp.html
usr/share/radio-programmer/demo.dat
usr/share/radio-programmer/enHelp.html
usr/share/radio-programmer/translations/radio-programmer_zh_CN.qm
usr/share/radio-programmer/stock/README.md
usr/share/radio-programmer/stock/calling.csv
usr/share/radio-programmer/stock/frs-gmrs.csv
usr/share/radio-programmer/stock/marine-vhf.csv
usr/share/radio-programmer/stock/murs.csv
usr/share/radio-programmer/stock/noaa-weather.csv
usr/share/radio-programmer/stock/pmr446.csv
usr/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 24 32 48 64 128 256; do
  expected+=$'\n'"usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
if ! diff -u <(sort <<<"$expected") "$scratch/files"; then
  fail "the package's file list differs from the expected one (- expected, + packaged)"
fi

# Dependencies computed from the binaries: the Qt libraries they link must be there.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6printsupport6 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$scratch/as.log" 2>&1 \
  || { cat "$scratch/as.log"; fail "AppStream data invalid"; }
MANWIDTH=80 man -l "$root/usr/share/man/man1/radioprog.1.gz" 2>&1 | grep -q "radioprog doctor" \
  || fail "the manual page of radioprog does not render"
file "$root/usr/bin/radio-programmer" | grep -q "stripped" || fail "radio-programmer not an executable"
file "$root/usr/bin/radio-programmer" | grep -q "not stripped" && fail "radio-programmer not stripped"

# The packaged tool runs from the extracted tree and finds the installation's Program.ini.
prog=$root/usr/bin/radioprog
export XDG_CONFIG_HOME=$scratch/config
"$prog" --version | grep -q "^radioprog [0-9]" || fail "radioprog --version"
"$prog" new "$scratch/blank.dat" || fail "radioprog new"
[ "$("$prog" dump "$scratch/blank.dat" | wc -l)" -ge 200 ] || fail "radioprog dump"
[ "$("$prog" config get Setup Type1)" = "Model-A" ] \
  || fail "radioprog does not read ../share/radio-programmer/Program.ini"
"$prog" stock | grep -q "^pmr446" || fail "radioprog does not find the stock lists"
[ ! -e "$scratch/config" ] || fail "reading the configuration wrote to the user's folder"
echo "package check: $(basename "$deb") passed ($(wc -l <"$scratch/files") files)"
