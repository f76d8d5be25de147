#!/usr/bin/env bash
# One entry point for people and CI:
#   ./build.sh run    install packages, build, start the station
#   ./build.sh test   install packages, build, run the tests
# ZELKORA_SANITIZE=1 builds into build-asan with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
    run|test|build) ;;
    *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh

builddir=build
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${ZELKORA_SANITIZE:-0}" = 1 ]; then
    builddir=build-asan
    cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELKORA_SANITIZE=ON)
fi

cmake -S . -B "$builddir" "${cmake_args[@]}"
cmake --build "$builddir" --parallel "$(nproc)"

case "$action" in
    run)
        exec "$builddir/src/app/zelkora" ;;
    test)
        # Tests run without a display, in a US English locale.
        export QT_QPA_PLATFORM=offscreen LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
        ctest --test-dir "$builddir" --output-on-failure --parallel "$(nproc)" ;;
esac
