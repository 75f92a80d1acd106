#!/usr/bin/env bash
# Builds the tests of the threads the program starts beside the main thread (the spectrum
# worker, alone and while the main window plays, paints and closes) with ThreadSanitizer in
# build-tsan/ and runs them. Only those tests are built, to keep the run short. Extra arguments
# go to the test program (e.g. --gtest_repeat=20).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-tsan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELKIT_QT=OFF -DPELKIT_PORTAUDIO=OFF \
  -DPELKIT_WERROR=ON \
  -DPELKIT_THREAD_TESTS=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" > /dev/null
cmake --build "$build" -j"$(nproc)" --target pelkit_thread_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
run=("$build/tests/pelkit_thread_tests" "$@")
# ThreadSanitizer cannot map its shadow memory beside the widest address randomisation of newer
# kernels; without randomisation it always can.
if setarch "$(uname -m)" -R true 2> /dev/null; then
  setarch "$(uname -m)" -R "${run[@]}"
else
  "${run[@]}"
fi
