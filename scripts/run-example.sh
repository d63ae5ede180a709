#!/usr/bin/env bash
# Sets up the machine, builds Orvane and shows it working on the bundled customer record.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DORVANE_BUILD_TESTS=OFF
build/cli/orvane-cli show examples/customer.qel
build/cli/orvane-cli generate examples/customer.qel --eol lf
