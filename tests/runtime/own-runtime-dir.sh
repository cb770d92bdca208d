#!/bin/sh
# Runs a command with a runtime directory of its own. The accessibility bus puts its socket
# there, else in one place for the whole user, where another test run on the machine would
# take it away.
dir=$(mktemp -d) || exit 1
XDG_RUNTIME_DIR=$dir "$@"
rc=$?
rm -rf "$dir"
exit $rc
