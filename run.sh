#!/usr/bin/env bash
# Builds Cladeworks (release) and starts it. The program takes no arguments.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/setup.sh

cladeworks_build build cladeworks -DCMAKE_BUILD_TYPE=Release
# The program itself says so, in one line, when there is no display.
exec ./build/cladeworks
