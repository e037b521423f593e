#!/bin/sh
# Writes a desktop entry that starts a program:  createShortcut.sh <program> <entry file>
# The entry appears whole or not at all: it is written beside its place and renamed into it,
# because Retterum takes it as soon as it sees the file.
set -eu

if [ "$#" -ne 2 ]; then
  echo "Brug: createShortcut.sh <programfil> <genvejsfil>" >&2
  exit 2
fi
program=$1
entry=$2

case $program in
  /*) ;;
  *) echo "Programfilen skal angives med fuld sti: $program" >&2; exit 2 ;;
esac
newline='
'
case $program in
  *"$newline"*) echo "Programfilens navn indeholder et linjeskift." >&2; exit 2 ;;
esac

# Exec holds the path as one quoted argument: \ " ` $ escaped inside the quotes and % doubled.
# Every string value is read with \\ as a backslash first, so the backslashes double once more.
exec_path=$(printf '%s\n' "$program" | sed -e 's/[\\"`$]/\\&/g' -e 's/%/%%/g' -e 's/\\/\\\\/g')
plain_path=$(printf '%s\n' "$program" | sed -e 's/\\/\\\\/g')

folder=$(dirname -- "$entry")
tmp=$(mktemp "$folder/.createShortcut.XXXXXX")
trap 'rm -f -- "$tmp"' EXIT

cat > "$tmp" <<ENTRY
[Desktop Entry]
Type=Application
Version=1.0
Name=Retterum
GenericName=Opskriftsbog
Comment=Starter Retterum, når du logger på
Exec="$exec_path"
TryExec=$plain_path
Icon=retterum
Terminal=false
X-GNOME-Autostart-enabled=true
ENTRY

mv -f -- "$tmp" "$entry"
trap - EXIT
