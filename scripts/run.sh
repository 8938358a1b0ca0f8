#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quenvox.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
exec "${QUENVOX_BUILD_DIR:-$top/build}/src/app/quenvox"
