#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop and
# software centres read there; then moves the installation elsewhere and
# starts the program from it with the source and build folders out of sight
# (hidden behind empty folders where a private mount namespace is allowed).
# Usage: check-install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$work/first" --strip >/dev/null
prefix=$work/first
for f in bin/ravelin share/ravelin/ravelin-en.html share/ravelin/help.css \
         share/icons/hicolor/scalable/apps/ravelin.svg share/man/man1/ravelin.1.gz \
         share/doc/ravelin/copyright; do
  [[ -f $prefix/$f ]] || fail "not installed: $f"
done
for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/ravelin.png
  [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] || fail "icon $png"
done

desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml
# The manual page renders without warnings and names every option --help names.
zcat "$prefix/share/man/man1/ravelin.1.gz" | groff -man -ww -z -Tutf8 2>&1 | (! grep .) ||
  fail "manual page warnings"
manual=$(zcat "$prefix/share/man/man1/ravelin.1.gz" | groff -man -Tutf8 -P -cbou)
help=$("$prefix/bin/ravelin" --help)
options=$( (grep -oE -- '--[a-z]+' <<<"$help"; grep -oE '^  /[a-z]+[: ]' <<<"$help" | tr -d ': ') | sort -u)
[[ $(wc -w <<<"$options") -ge 10 ]] || fail "too few options in --help: $options"
for option in $options; do
  grep -qF -- "$option" <<<"$manual" || fail "manual page lacks $option"
done

if grep -qF -- "$build_dir" "$prefix/bin/ravelin"; then
  fail "the program holds the path of the build folder"
fi

# Relocated: the program finds its data beside its own folder.
mv "$work/first" "$work/moved"
prefix=$work/moved
cat >"$work/run.sh" <<EOF
set -euo pipefail
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" LANG=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
"$prefix/bin/ravelin" --version
"$prefix/bin/ravelin" /lang:de --help
EOF
hide="mount -t tmpfs none '$source_dir' && { mount -t tmpfs none '$build_dir' 2>/dev/null || true; } &&
      test ! -e '$build_dir/CMakeCache.txt'"
if unshare --mount --map-root-user bash -c "$hide" 2>/dev/null; then
  output=$(unshare --mount --map-root-user bash -c "$hide && bash '$work/run.sh'")
else
  echo "note: no private mount namespace here; the build folder stays visible"
  output=$(bash "$work/run.sh")
fi
echo "$output"
grep -q '^Ravelin (Version ' <<<"$output" || fail "--version"
grep -q '^Aufruf: ravelin' <<<"$output" || fail "German help"
grep -qF "$prefix/share/ravelin/ravelin-de.html" <<<"$output" || fail "installed German user guide"
echo "installation checks passed"
