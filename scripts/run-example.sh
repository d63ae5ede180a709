#!/usr/bin/env bash
# Sets up the machine, builds Orvane and opens the bundled customer record in the window.
# Without a display the program says so and prints the record's generated code instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DORVANE_BUILD_TESTS=OFF
exec build/app/orvane "$PWD/examples/customer.qel"
