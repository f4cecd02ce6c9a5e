#!/usr/bin/env bash
# Installs what is missing, builds and starts VornixClient.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/build.sh

client=build/apps/client/VornixClient
if [ ! -x "$client" ]; then
  echo "VornixClient was not built; see the build's messages above." >&2
  exit 1
fi
exec "$client" "$@"
