#!/usr/bin/env bash
# Installs what the tests need, builds both trees and runs every test: the native unit
# tests and fuzzers, the Windows unit tests under Wine, and the end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh

status=0
ctest --test-dir build/native --output-on-failure || status=1
ctest --test-dir build/windows --output-on-failure || status=1
bash scripts/check-reproducible.sh build/windows || status=1
exit $status
