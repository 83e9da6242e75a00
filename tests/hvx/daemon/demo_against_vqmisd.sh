#!/usr/bin/env bash
# Starts a vqmisd, runs the demo against it through HVX_SERVER, and stops it: the demo
# prints the same as on its own process's server, and vqtopo then reads from the vqmisd what
# it reads from its own sample campus with the demo's alarm raised.
set -euo pipefail
vqmisd=$1
demo=$2
vqtopo=$3
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$vqmisd" --name campus-mis --listen "unix:$work/run/mis.sock" --database "$work/tree.db" \
  > "$work/out" 2> "$work/log" &
pid=$!
for _ in $(seq 100); do grep -q '^ready' "$work/out" 2>/dev/null && break; sleep 0.05; done
grep -q '^ready' "$work/out" || { cat "$work/log"; exit 1; }
HVX_SERVER="unix:$work/run/mis.sock" "$demo" > "$work/demo"
"$demo" > "$work/embedded"
diff "$work/embedded" "$work/demo"
for command in "tree" "why Campus" "show north-router" "report" "export Campus --format json"; do
  # shellcheck disable=SC2086
  HVX_SERVER="unix:$work/run/mis.sock" "$vqtopo" $command > "$work/served"
  # shellcheck disable=SC2086
  "$vqtopo" $command --demo --alarm north-router=critical > "$work/own"
  diff "$work/own" "$work/served"
done
kill -TERM "$pid"
wait "$pid"
# With the server gone, the tool says so with its server exit code.
status=0
HVX_SERVER="unix:$work/run/mis.sock" "$vqtopo" tree > /dev/null 2>&1 || status=$?
[ "$status" = 3 ] || { echo "vqtopo exited $status against a stopped server"; exit 1; }
