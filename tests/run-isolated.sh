#!/usr/bin/env bash
# Runs one test program in a private home: its own HOME, XDG config, data, cache and
# runtime folders (the runtime folder with mode 0700), a fixed time zone that is not UTC,
# and the offscreen platform with the software Qt Quick renderer.
set -u
tmp="$(mktemp -d "${TMPDIR:-/tmp}/vantor-test.XXXXXX")"
cleanup() { rm -rf "$tmp"; }
trap cleanup EXIT
mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/runtime"
chmod 0700 "$tmp/runtime"
export HOME="$tmp/home"
export XDG_CONFIG_HOME="$tmp/config"
export XDG_DATA_HOME="$tmp/data"
export XDG_CACHE_HOME="$tmp/cache"
export XDG_RUNTIME_DIR="$tmp/runtime"
export VANTOR_TEST_ROOT="$tmp"
export TZ="${VANTOR_TEST_TZ:-Europe/Rome}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export QT_QUICK_BACKEND="${QT_QUICK_BACKEND:-software}"
export LC_ALL=C.UTF-8
# Tests never sound the PC speaker.
export VANTOR_TONE_SINK="${VANTOR_TONE_SINK:-log}"
cd "$tmp/home"
if [ -n "${VANTOR_TEST_LOCKFILE:-}" ] && command -v flock >/dev/null 2>&1; then
    flock "$VANTOR_TEST_LOCKFILE" "$@"
else
    "$@"
fi
status=$?
exit $status
