#!/usr/bin/env bash
# Runs the live-map browser test: installs its npm packages into the build tree once, then
# drives headless chromium against `vqtopo serve --demo`. Exit 77 (skipped) only when node,
# npm or chromium is not installed.
set -euo pipefail
vqtopo="$1"
work="$2"
here="$(cd "$(dirname "$0")" && pwd)"
chromium="${CHROMIUM:-$(command -v chromium || true)}"
for tool in node npm; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh --browser installs it)"
    exit 77
  fi
done
if [ -z "$chromium" ]; then
  echo "SKIPPED: chromium is not installed (tools/install-deps.sh --browser installs it)"
  exit 77
fi
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/live_map_test.mjs" "$work/"
# Reinstalled only when the lock file changes.
if ! cmp -s "$here/package-lock.json" "$work/node_modules/.installed-lock" 2>/dev/null; then
  (cd "$work" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$work/node_modules/.installed-lock"
fi
cd "$work"
exec node live_map_test.mjs "$vqtopo" "$chromium"
