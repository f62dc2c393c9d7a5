#!/usr/bin/env bash
# Installs what is missing, builds Vantor and starts it.
# Headless: QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software scripts/run-vantor.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "$root/build/src/vantor/Vantor" "$@"
