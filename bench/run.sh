#!/usr/bin/env bash
# Installs and builds what the benchmark needs, then prints its table (bench/bench.py).
# Arguments go to bench.py: --smoke runs every figure twice on small trees.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
exec /usr/bin/python3 bench/bench.py --build build/windows "$@"
