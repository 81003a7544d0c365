#!/usr/bin/env bash
# Builds the Debian package of a built tree and checks it as a Debian user would meet it:
#   scripts/check-deb.sh [BUILD_DIR]      (default: build, as scripts/test.sh leaves it)
# 1. `cpack -G DEB` in BUILD_DIR;
# 2. lintian: any error or warning fails (an override needs a comment saying why);
# 3. apt-get installs the package, the installed mnemex-batch trains on an installed example
#    and must give the build tree's result byte for byte, and the installed Python module must
#    import and train to the same total SSE;
# 4. apt-get purges the package again, also when a check failed.
# Needs root or sudo, lintian and a built tree; leaves nothing behind but the .deb in BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
if [ ! -f "$build/CPackConfig.cmake" ] || [ ! -x "$build/cli/mnemex-batch" ]; then
  echo "check-deb: $build is not a built tree (cmake -S . -B $build && cmake --build $build)" >&2
  exit 2
fi
if ! command -v lintian >/dev/null; then
  echo "check-deb: lintian is missing (scripts/install-deps.sh installs it)" >&2
  exit 2
fi
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Another apt-get on the machine holds the lock for a while; wait for it instead of failing.
apt=("${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 -q)

scratch=$(mktemp -d)
installed=0
finish() {
  if [ "$installed" = 1 ]; then
    echo "check-deb: apt-get purge mnemex"
    "${apt[@]}" purge -y mnemex >/dev/null
  fi
  rm -rf "$scratch"
}
trap finish EXIT

echo "check-deb: cpack -G DEB in $build"
rm -f "$build"/mnemex_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/mnemex_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "check-deb: cpack made no single mnemex_*.deb in $build" >&2
  exit 1
fi
deb=$(realpath "${debs[0]}")
echo "check-deb: $deb"
dpkg-deb --field "$deb" Package Version Maintainer Depends Recommends

echo "check-deb: lintian"
# Overrides ship inside the package; each must say why it is there.
if dpkg-deb --contents "$deb" | grep -q ' \./usr/share/lintian/overrides/'; then
  overrides=$scratch/unpacked
  dpkg-deb --extract "$deb" "$overrides"
  uncommented=$(awk 'FNR == 1 { why = 0 } /^#/ { why = 1; next } /^[[:space:]]*$/ { next }
                     { if (!why) print FILENAME ": " $0; why = 0 }' \
                    "$overrides"/usr/share/lintian/overrides/*)
  rm -rf "$overrides"
  if [ -n "$uncommented" ]; then
    echo "check-deb: lintian overrides without a comment saying why:" >&2
    echo "$uncommented" >&2
    exit 1
  fi
fi
# Run as root, lintian says on standard error that it would rather not be; that note is left
# out, anything else it says there is shown.
status=0
findings=$(lintian --fail-on error,warning "$deb" 2>"$scratch/lintian.err") || status=$?
grep -v '^running with root privileges is not recommended!$' "$scratch/lintian.err" >&2 || true
if [ -n "$findings" ]; then echo "$findings"; fi
if [ "$status" -ne 0 ]; then
  echo "check-deb: lintian failed (status $status): errors or warnings above" >&2
  exit 1
fi
echo "check-deb: lintian: no error, no warning"

if dpkg-query -W -f='${Status}' mnemex 2>/dev/null | grep -q "install ok installed"; then
  echo "check-deb: mnemex is installed on this machine already; remove it first" \
       "(apt-get purge mnemex) so that this check neither overwrites nor removes it" >&2
  exit 1
fi

echo "check-deb: apt-get install $deb"
installed=1
"${apt[@]}" install -y "$deb" >/dev/null
dpkg-query -W -f='check-deb: installed ${Package} ${Version}\n' mnemex

# Where the package put its programs and examples, as dpkg knows them.
files=$(dpkg -L mnemex)
batch=$(grep -m1 '/bin/mnemex-batch$' <<<"$files")
example=$(grep -m1 '/examples/letters\.net$' <<<"$files" || grep -m1 '/examples/.*\.net$' <<<"$files")
echo "check-deb: $batch on $example"
settings=(--rule delta --rate 0.02 --epochs 100 --min-error 0.01 --stop both)
(cd "$scratch" && "$batch" "$example" "${settings[@]}" --json installed.json)
"$build/cli/mnemex-batch" "$example" "${settings[@]}" --json "$scratch/built.json" >/dev/null
if ! cmp -s "$scratch/installed.json" "$scratch/built.json"; then
  echo "check-deb: the installed mnemex-batch gives another result than $build/cli/mnemex-batch" >&2
  exit 1
fi
echo "check-deb: same JSON result as $build/cli/mnemex-batch"

# Debian's own Python, which the module is built for, away from the source tree.
python=(env -u PYTHONPATH /usr/bin/python3)
echo "check-deb: python3 -c \"import mnemex\""
module=$(cd "$scratch" && "${python[@]}" -c "import mnemex; print(mnemex.__file__)")
if ! grep -qxF "$module" <<<"$files"; then
  echo "check-deb: python3 imported mnemex from $module, which is not the package's" >&2
  exit 1
fi
echo "check-deb: imported $module"
(cd "$scratch" && "${python[@]}" - "$example" installed.json <<'EOF'
import json, sys
import mnemex
net = mnemex.load(sys.argv[1])
run = net.train(rule="delta", rate=0.02, epochs=100, min_error=0.01, stop="both")
expected = json.load(open(sys.argv[2]))
if (run.epochs, run.total_sse) != (expected["epochs"], expected["total_sse"]):
    sys.exit(f"check-deb: the module trained {run.epochs} epochs to total SSE {run.total_sse!r}, "
             f"mnemex-batch {expected['epochs']} to {expected['total_sse']!r}")
print(f"check-deb: the module trains {run.epochs} epochs to the same total SSE, {run.total_sse!r}")
EOF
)

trap - EXIT
finish
installed=0
if [ -e "$batch" ] || dpkg-query -W -f='${Status}' mnemex 2>/dev/null | grep -q "ok installed$"; then
  echo "check-deb: mnemex is still installed after apt-get purge" >&2
  exit 1
fi
echo "check-deb: removed; the package passes"
