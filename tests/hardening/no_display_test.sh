#!/usr/bin/env bash
# The built program started outside a graphical session: one line on stderr, status 1.
set -u
program=$1
expected="strumvane: needs a graphical session: neither DISPLAY nor WAYLAND_DISPLAY is set"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" >/dev/null 2>"$errors" </dev/null
status=$?
said=$(cat "$errors")
[ "$status" -eq 1 ] || { echo "FAILED: status $status, not 1; it said: $said"; exit 1; }
[ "$said" = "$expected" ] || { echo "FAILED: it said: $said"; exit 1; }
echo "status 1: $said"
