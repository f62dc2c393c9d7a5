# shellcheck shell=bash
# The set-up the screenshot drivers share; they source this file, it is not run on its own.

# Prepares a run of a driver: sets root (the source tree) and out (the picture folder $1, made when
# missing, as an absolute path), installs the dependencies, builds, makes the temporary folder tmp
# (named after $2, removed on exit) and sets isolate, the command prefix that runs a program in a
# private network namespace where the user may, so that Vantor's command port 21967 meets no other
# Vantor on this machine.
screenshots_prepare() {
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    mkdir -p "$1"
    # shellcheck disable=SC2034 # read by the drivers
    out="$(cd "$1" && pwd)"

    "$root/scripts/install-deps.sh"
    "$root/scripts/build.sh"

    tmp="$(mktemp -d "${TMPDIR:-/tmp}/$2.XXXXXX")"
    trap 'rm -rf "$tmp"' EXIT

    isolate=()
    if command -v ip >/dev/null && unshare -n true 2>/dev/null; then
        isolate=(unshare -n bash -c 'ip link set lo up && exec "$@"' isolate)
    fi
}

# Usage: screenshots_run <home> <seconds> <width>x<height> <log> <program> [<argument> ...]
# Runs a walk program under a virtual X display of that size, isolated, with a home, settings, data,
# cache and runtime folder of its own below <home>, its output to <log>; kills it after <seconds>.
screenshots_run() {
    local home="$1" seconds="$2" screen="$3" log="$4"
    shift 4
    mkdir -p "$home/home" "$home/config" "$home/data" "$home/cache" "$home/runtime"
    chmod 0700 "$home/runtime"
    (cd "$home/home" && env HOME="$home/home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=xcb VANTOR_TONE_SINK=log \
        "${isolate[@]}" timeout --signal=KILL "$seconds" \
        xvfb-run --auto-servernum --server-args="-screen 0 ${screen}x24" "$@") > "$log" 2>&1
}
