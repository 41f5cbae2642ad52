#!/usr/bin/env bash
# Starts the application from the build tree; until the launcher exists, shows the engine's CLI.
set -euo pipefail
build=${1:-build}
if [ -x "$build/bin/Korvel" ]; then
  exec "$build/bin/Korvel"
fi
exec "$build/bin/colligo" --help
