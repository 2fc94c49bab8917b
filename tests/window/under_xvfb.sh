#!/bin/sh
# Runs the command on an X display of its own, started here with Xvfb; exit
# status 77 (skipped) when Xvfb or xdotool is not installed.
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
    echo "skipped: Xvfb and xdotool are needed (Debian packages xvfb, xdotool)"
    exit 77
}
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT
i=0
while [ ! -s "$dir/display" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
[ -s "$dir/display" ] || { cat "$dir/xvfb.log"; exit 1; }
DISPLAY=":$(cat "$dir/display")" QT_QPA_PLATFORM=xcb "$@"
