#!/usr/bin/env bash
# Runs a test program on a virtual screen of its own with the openbox window manager, where
# windows get real frames, focus and activation, as on a user's desktop.
# Usage: under-window-manager.sh <program> [arguments]
set -euo pipefail
displayfile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${wm:-}" "$xvfb" 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
QT_QPA_PLATFORM=xcb "$@"
