#!/usr/bin/env bash
# Takes a picture of every screen of Vantor in both themes and in English, Italian and German,
# and writes them as PNG files to a folder, named <screen>-<theme>-<language>.png.
#
# Usage: tools/screenshots.sh <folder> [<theme>-<language> ...]
#        (for example "dark-de": only Vantor's pictures in that theme and language; without one,
#        every theme and language, and TestVantor's window one tab at a time)
#
# Vantor runs under a virtual X display (Xvfb) with a settings and data folder of its own, so
# the pictures always show a first start and nothing of yours is touched. Fails, naming the
# step, when a step of a walk does not reach the state it claims or when anything warns.
#
# Each walk is a program that drives its window from inside; add one with a function below and a
# line in the list at the end.
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 <folder> [<theme>-<language> ...]" >&2
    exit 2
fi
# shellcheck source-path=SCRIPTDIR source=screenshots-common.sh
source "$(dirname "$0")/screenshots-common.sh"
folder="$1"
shift
only=("$@")
screenshots_prepare "$folder" vantor-screenshots

# Runs one walk program in a home of its own under a virtual X display; its log goes to
# $tmp/<name>.log and, when it fails, to the terminal.
run_walk() {
    local name="$1"
    shift
    if ! screenshots_run "$tmp/$name" 1800 1600x900 "$tmp/$name.log" "$@"; then
        grep -v '^/' "$tmp/$name.log" >&2 || true
        echo "screenshots: the $name walk failed" >&2
        return 1
    fi
    echo "screenshots: $(grep -c '\.png$' "$tmp/$name.log") pictures of $name in $out"
}

# Vantor's main window, its message boxes and its LED mirror window.
walk_vantor() {
    run_walk vantor "$root/build/tests/vantor/qml/vantor_screenshots" "$out" "${only[@]}"
}

# TestVantor's window, one picture per tab, connected to a Vantor of its own.
walk_testvantor() {
    "$root/tools/screenshots-testvantor.sh" "$out"
}

failed=0
walk_vantor || failed=1
if [ ${#only[@]} -eq 0 ]; then
    walk_testvantor || failed=1
fi
exit $failed
