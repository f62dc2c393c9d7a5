#!/usr/bin/env bash
# Takes pictures of TestVantor's window, one per tab, while it is connected to a running Vantor
# that has sent it a few status messages, and writes them as PNG files to a folder.
#
# Usage: tools/screenshots-testvantor.sh <folder>
#
# Vantor runs offscreen and TestVantor under a virtual X display (Xvfb), both with settings and
# data folders of their own. Where the user may, the two run in a private network namespace, so
# that their command port 21967 meets no other Vantor on this machine. The walk is a program
# (tests/testvantor/qml/screenshots) that starts Vantor, then TestVantor as its main does, and
# drives the window from inside; TestVantor itself has no hook for it.
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 <folder>" >&2
    exit 2
fi
# shellcheck source-path=SCRIPTDIR source=screenshots-common.sh
source "$(dirname "$0")/screenshots-common.sh"
screenshots_prepare "$1" testvantor-screenshots

screenshots_run "$tmp" 300 1280x1024 "$tmp/walk.log" "$root/build/tests/testvantor/testvantor_screenshots" "$out" || {
    cat "$tmp/walk.log" >&2
    echo "screenshots-testvantor: the walk failed" >&2
    exit 1
}
echo "screenshots-testvantor: $(grep -c '\.png$' "$tmp/walk.log") pictures in $out"
