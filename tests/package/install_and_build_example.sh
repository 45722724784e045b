#!/usr/bin/env bash
# install_and_build_example.sh BUILD_DIR EXAMPLE_DIR WORK_DIR [SOURCE_DIR]:
# installs the build into WORK_DIR/prefix, builds the examples (main.cpp,
# light.cpp) with find_package and with pkg-config, runs them, and checks what
# the install holds. Given SOURCE_DIR, it also builds the example in a project that embeds
# QzCore with add_subdirectory.
set -euo pipefail
build=$1 example=$2 work=$3 source=${4:-}
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

flags=()
if [ -n "${QZ_SANITIZE:-}" ]; then flags=(-fsanitize="$QZ_SANITIZE"); fi

# the public headers are there, the internal ones are not
test -f "$prefix/include/qzcore/QzCore.h"
test -f "$prefix/include/qzcore/compression/QzMemoryCompressor.h"
test -f "$prefix/include/qzcore/reflection/QzReflectionInformation.h"
internal=$(find "$prefix/include" \( -name internal -o -name platform \) -print)
if [ -n "$internal" ]; then
  echo "internal headers are installed: $internal" >&2; exit 1
fi
# the library exports the interface and hides the LZMA SDK
lib=$(ls "$prefix"/lib*/libqzcore.so.0)
# (read the symbol list whole: grep -q closing the pipe early would fail it)
symbols=$(nm -DC --defined-only "$lib")
grep -q 'CQzMemoryCompressor::Compress' <<<"$symbols"
grep -q 'CQzReflectionInformationSnapShot::BackUp' <<<"$symbols"
if grep -E ' (LzmaEnc_|LzmaDec_|MatchFinder|LzmaCompress|Lz[A-Za-z]*_)' <<<"$symbols"; then
  echo "the LZMA SDK leaks out of libqzcore" >&2; exit 1
fi

echo "== CMake package"
cmake -S "$example" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="${CXX:-c++}" -DCMAKE_CXX_FLAGS="${flags[*]:-}" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/qzcore_example"
"$work/cmake-build/qzcore_light_example"

echo "== pkg-config"
export PKG_CONFIG_PATH=$(dirname "$(ls "$prefix"/lib*/pkgconfig/qzcore.pc)")
"${CXX:-c++}" -std=c++17 "${flags[@]}" "$example/main.cpp" -o "$work/pkgconfig_example" \
  $("${PKG_CONFIG:-pkg-config}" --cflags --libs qzcore)
LD_LIBRARY_PATH=$(dirname "$lib") "$work/pkgconfig_example"
"${CXX:-c++}" -std=c++17 "${flags[@]}" "$example/light.cpp" -o "$work/pkgconfig_light_example" \
  $("${PKG_CONFIG:-pkg-config}" --cflags --libs qzcore)
LD_LIBRARY_PATH=$(dirname "$lib") "$work/pkgconfig_light_example"

if [ -n "$source" ]; then
  echo "== add_subdirectory"
  mkdir -p "$work/embed"
  cat >"$work/embed/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project(QzCoreEmbed LANGUAGES C CXX)
add_subdirectory("$source" qzcore)
add_executable(qzcore_example "$example/main.cpp")
target_link_libraries(qzcore_example PRIVATE QzCore::qzcore)
add_executable(qzcore_light_example "$example/light.cpp")
target_link_libraries(qzcore_light_example PRIVATE QzCore::qzcore)
EOF
  cmake -S "$work/embed" -B "$work/embed-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="${CXX:-c++}" >/dev/null
  # an embedding project builds neither our tests nor our benchmarks
  if [ -e "$work/embed-build/qzcore/tests" ] || [ -e "$work/embed-build/qzcore/bench" ]; then
    echo "an embedded QzCore builds its tests or benchmarks" >&2; exit 1
  fi
  cmake --build "$work/embed-build" --target qzcore_example qzcore_light_example >/dev/null
  "$work/embed-build/qzcore_example"
  "$work/embed-build/qzcore_light_example"
fi
