#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev libutf8proc-dev libx11-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth xdotool dbus openbox trayer
  dpkg-dev
  clang clang-format libclang-rt-14-dev
  python3-pyatspi at-spi2-core dbus
)
if [ "${1:-}" = "--bench" ]; then
  packages+=(fd-find plocate strace time hyperfine python3)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
