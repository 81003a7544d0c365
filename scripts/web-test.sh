#!/usr/bin/env bash
# The browser tests: the module's batch command against the native mnemex-batch in build/
# (Node), and the page itself in headless Chromium. Builds the site first (scripts/web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/web.sh --build
if ! command -v chromium >/dev/null 2>&1; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends chromium
fi
# The test tools, exactly as the lock file names them.
npm ci --prefix web --no-audit --no-fund --loglevel=error

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch MNEMEX_WEB_SITE=$PWD/${MNEMEX_WEB_BUILD:-build-web}/site
# One file at a time: each starts its own module or browser.
for file in tests/web/*.test.mjs; do
  node --test "$file"
done
if [ -n "$(ls -A "$scratch")" ]; then
  echo "The browser tests left files in TMPDIR:" >&2
  find "$scratch" -mindepth 1 -maxdepth 2 >&2
  exit 1
fi
