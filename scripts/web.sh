#!/usr/bin/env bash
# Mnemex in the browser: builds the site (static files only) into build-web/site/ and serves
# it on http://127.0.0.1:8080/.
#   scripts/web.sh           build, then serve until Ctrl-C
#   scripts/web.sh --build   only build
# MNEMEX_WEB_BUILD names another build folder (default build-web).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MNEMEX_WEB_BUILD:-build-web}

packages=(emscripten nodejs node-acorn libfast-float-dev libfmt-dev libeigen3-dev cmake ninja-build)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A machine with Node.js from elsewhere (NodeSource's, say) keeps it.
if command -v node >/dev/null 2>&1; then
  missing=("${missing[@]/nodejs/}")
fi
if [ -n "${missing[*]// /}" ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  # shellcheck disable=SC2068  # the emptied entry must vanish
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends ${missing[@]}
fi

# Emscripten's optimiser needs acorn, which Debian keeps where no Node.js looks by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
if [ ! -f "$build/build.ninja" ]; then
  emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMNEMEX_WERROR="${MNEMEX_WERROR:-OFF}"
fi
cmake --build "$build"

if [ "${1:-}" = "--build" ]; then
  exit 0
fi
exec node web/serve.mjs "$build/site" 8080
