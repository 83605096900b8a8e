#!/usr/bin/env bash
# Installs what is missing, builds the tests (with AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DQUENVALE_TESTS=ON -DQUENVALE_SANITIZE=ON -DQUENVALE_WERROR=ON -DQUENVALE_BENCH=ON
cmake --build build/test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
  ctest --test-dir build/test --output-on-failure -j"$(nproc)"
