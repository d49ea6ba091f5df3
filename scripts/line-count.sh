#!/usr/bin/env bash
# Code lines of the tests beside those of the product: lines of the tracked
# .cpp and .h files that are neither blank nor only a // comment. Tests are
# everything under tests/; the product is every other folder (programs,
# libraries, tools, benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -r cat | grep -cv '^\s*\(//.*\)\?$' || true; }
tests=$(git ls-files 'tests/*.cpp' 'tests/*.h' | count)
product=$(git ls-files '*.cpp' '*.h' | grep -v '^tests/' | count)
echo "tests:   $tests code lines"
echo "product: $product code lines"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "tests / product: %.0f%%\n", 100 * t / p }'
