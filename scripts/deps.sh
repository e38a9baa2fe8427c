#!/usr/bin/env bash
# Installs, when missing, the Debian packages that building Tarnel needs, plus any named as
# arguments. Uses sudo when not run as root.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev googletest "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
