#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is
# missing. Runs as root, or through sudo when that is available.
set -euo pipefail
pkgs=(cmake g++ make pkg-config ccache
      libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
      libpugixml-dev liblua5.1-0-dev libboost-dev
      googletest libgtest-dev libbenchmark-dev fonts-dejavu-core
      # The fuzz targets' tree: clang and its libFuzzer runtime.
      clang-14 libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
