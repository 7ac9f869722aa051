#!/usr/bin/env bash
# A desktop shortcut to an entry whose name holds every kind of character the
# desktop-entry rules treat specially validates, and started the way the
# desktop starts it (gio launch) runs exactly that entry, not its look-alike.
# The emulator is a script that notes its folder and arguments.
# Usage: check-shortcut.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME/Desktop" "$work/emu" "$work/game one" "$work/game two"
cat >"$work/emu/dosbox" <<'EOF'
#!/bin/sh
if [ "$1" = "--version" ]; then echo "DOSBox version 0.74-3"; exit 0; fi
printf '%s\n' "$PWD" "$@" >"$PWD/started.txt"
EOF
chmod +x "$work/emu/dosbox"
touch "$work/dosbox.conf"
name='Monkey "Island" 2: 100% $HOME `id` \n'"'"'s; <a> & (b) | ~ * ?'
cat >"$work/games.ini" <<EOF
[Config]
DosBoxPath=$work/emu
ConfFile=$work/dosbox.conf
AppCount=2
[App001]
AppName=Monkey Island 2
RootPath=$work/game two
Executable=MONKEY.EXE
[App002]
AppName=$name
RootPath=$work/game one
Executable=MONKEY.EXE
Description=LeChuck's Revenge
EOF

files=$("$program" "/ini:$work/games.ini" --shortcut "$name" --yes)
[[ $(wc -l <<<"$files") -eq 2 ]] || fail "expected a menu and a desktop shortcut: $files"
menu=$(head -1 <<<"$files")
desktop=$(tail -1 <<<"$files")
[[ $menu == "$XDG_DATA_HOME/applications/"*.desktop && -f $menu ]] || fail "menu shortcut $menu"
[[ $desktop == "$HOME/Desktop/"*.desktop && -x $desktop ]] || fail "desktop shortcut $desktop"
cat "$menu"
desktop-file-validate "$menu"
grep -qx 'Categories=Game;' "$menu" || fail "category"
grep -qx "Comment=LeChuck's Revenge" "$menu" || fail "comment"
icon=$(sed -n 's/^Icon=//p' "$menu")
[[ $(file -b "$icon") == "PNG image data"* ]] || fail "icon $icon"

gio launch "$menu"
for _ in $(seq 100); do
  [[ -s "$work/game one/started.txt" ]] && break
  sleep 0.1
done
[[ -s "$work/game one/started.txt" ]] || fail "the entry did not start"
[[ ! -e "$work/game two/started.txt" ]] || fail "the look-alike started"
grep -qx "$work/game one" "$work/game one/started.txt" || fail "working folder"
echo "shortcut checks passed"
