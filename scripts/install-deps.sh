#!/usr/bin/env bash
# Installs what building, testing and benchmarking QzCore need, and nothing
# when it is all there already (apt-get update runs only before an install).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config make
  lzma-dev libgtest-dev libbenchmark-dev zlib1g-dev
  xz-utils 7zip time bc valgrind libclang-rt-14-dev
  locales libabsl-dev libglm-dev libcgal-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
