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

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests switch to a German (comma-decimal) locale. Compiled once here,
# it saves every such test from compiling its own copy with localedef.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "install-deps: compiling the de_DE.UTF-8 locale"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "install-deps: no de_DE.UTF-8 (the tests compile their own)"
fi
