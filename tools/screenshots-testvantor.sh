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
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1"
out="$(cd "$1" && pwd)"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

tmp="$(mktemp -d "${TMPDIR:-/tmp}/testvantor-screenshots.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/runtime"
chmod 0700 "$tmp/runtime"

isolate=()
if command -v ip >/dev/null && unshare -n true 2>/dev/null; then
    isolate=(unshare -n bash -c 'ip link set lo up && exec "$@"' isolate)
fi

cd "$tmp/home"
env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" \
    XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb VANTOR_TONE_SINK=log \
    "${isolate[@]}" timeout --signal=KILL 300 xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    "$root/build/tests/testvantor/testvantor_screenshots" "$out" > "$tmp/walk.log" 2>&1 || {
        cat "$tmp/walk.log" >&2
        echo "screenshots-testvantor: the walk failed" >&2
        exit 1
    }
echo "screenshots-testvantor: $(grep -c '\.png$' "$tmp/walk.log") pictures in $out"
