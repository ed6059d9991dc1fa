#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the test
# programs through CTest (offscreen, no display needed), then each fuzz target
# for a short, bounded time on its seed corpus and its regression inputs, then
# the window-free tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, built on the fuzz build's libraries, and last
# the tests whose work runs on worker threads (thumbnails, the slideshow
# build, the strip's drop, the video and web exports) under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
# The reference tools are installed: a test that misses one fails.
export VISTRANO_REQUIRE_TOOLS=1
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
cmake --build --preset sanitize
ctest --preset sanitize
cmake --preset thread >/dev/null
cmake --build --preset thread
ctest --preset thread
