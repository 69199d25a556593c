#!/usr/bin/env bash
# Sets up what is missing, builds and starts Faktavo. Without a display it runs under xvfb-run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1366x768x24" "$root/build/src/app/fakvo" "$@"
fi
exec "$root/build/src/app/fakvo" "$@"
