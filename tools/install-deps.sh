#!/usr/bin/env bash
# Installs the Debian packages the build needs, once: only what is missing, and says so.
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev pkg-config libssl-dev
          libcli11-dev nlohmann-json3-dev libcpp-httplib-dev libsqlite3-dev)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# The live-map browser test: asked for by command, since node and npm may come from
# elsewhere than these packages.
if [ "${1:-}" = "--browser" ]; then
  command -v chromium >/dev/null || missing+=(chromium)
  command -v node >/dev/null || missing+=(nodejs)
  command -v npm >/dev/null || missing+=(npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
