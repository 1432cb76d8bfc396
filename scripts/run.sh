#!/usr/bin/env bash
# Sets up, builds and starts Ornivo. Arguments are passed to the program.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/packages.sh"
"$here/scripts/build.sh"
if [ -x "$here/build/bin/ornivo" ]; then
  exec "$here/build/bin/ornivo" "$@"
fi
exec "$here/build/src/cli/ornivo-cli" "${@:---help}"
