#!/usr/bin/env bash
# Takes pictures of Vantor's main screens (the language screen of the first start, then the
# main menu, the language screen, the quit question and the run screen during a countdown, in
# both themes and in English, Italian and German) and writes them as PNG files to a folder.
#
# Usage: tools/screenshots.sh <folder>
#
# Vantor runs under a virtual X display (Xvfb) with a settings and data folder of its own, so
# the pictures always show a first start and nothing of yours is touched. The walk is a test
# program (tests/vantor/qml/screenshots) that starts Vantor as its main does and drives the
# screens from inside; Vantor itself has no hook for it.
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 <folder>" >&2
    exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

tmp="$(mktemp -d "${TMPDIR:-/tmp}/vantor-screenshots.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/runtime"
chmod 0700 "$tmp/runtime"

cd "$tmp/home"
env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" \
    XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb \
    timeout --signal=KILL 600 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    "$root/build/tests/vantor/qml/vantor_screenshots" "$out" > "$tmp/walk.log" 2>&1 || {
        cat "$tmp/walk.log" >&2
        echo "screenshots: the walk failed" >&2
        exit 1
    }
echo "screenshots: $(grep -c '\.png$' "$tmp/walk.log") pictures in $out"

# TestVantor's window, one picture per tab, connected to a Vantor of its own.
"$root/tools/screenshots-testvantor.sh" "$out"
