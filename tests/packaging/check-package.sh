#!/usr/bin/env bash
# Builds the Debian package of the build folder into a temporary folder (as
# `make package` does into the build folder), shows its control data and
# checks its dependencies, its files and lintian's verdict: no errors;
# warnings are printed.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no package built"
deb=${debs[0]}

dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins libicu; do
  grep -q "$package" <<<"$depends" || fail "Depends lacks $package"
done
grep -qw dosbox <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks dosbox"
# Caches are refreshed by the triggers of the packages that own them.
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'post|pre' && fail "maintainer scripts"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/ravelin ./usr/share/doc/ravelin/copyright ./usr/share/doc/ravelin/changelog.gz \
         ./usr/share/man/man1/ravelin.1.gz ./usr/share/icons/hicolor/scalable/apps/ravelin.svg \
         ./usr/share/ravelin/ravelin-en.html; do
  grep -qxF "$f" <<<"$contents" || fail "package lacks $f"
done
grep -q '^\./usr/share/applications/.*\.desktop$' <<<"$contents" || fail "no menu entry"
grep -q '^\./usr/share/metainfo/.*\.metainfo\.xml$' <<<"$contents" || fail "no AppStream data"

status=0
report=$(lintian --fail-on error --display-level '>=warning' "$deb" 2>&1) || status=$?
# Running as root only earns a remark.
grep -v 'root privileges' <<<"$report" || true
[[ $status -eq 0 ]] || fail "lintian reports errors"
echo "package checks passed"
