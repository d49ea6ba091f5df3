#!/usr/bin/env bash
# Code lines of the tests beside those of the product: lines of the tracked
# C++ (.cpp, .h) and shell (.sh) files that are neither blank nor only a
# comment. Tests are everything under tests/; the product is every other
# folder (programs, libraries, tools, benchmarks, scripts).
set -euo pipefail
cd "$(dirname "$0")/.."
cxx() { git ls-files "$@" | grep -E '\.(cpp|h)$' | xargs -r cat | grep -cv '^\s*\(//.*\)\?$' || true; }
sh() { git ls-files "$@" | grep -E '\.sh$' | xargs -r cat | grep -cv '^\s*\(#.*\)\?$' || true; }
tests=$(($(cxx tests) + $(sh tests)))
product=$(($(cxx . ':!tests') + $(sh . ':!tests')))
echo "tests:   $tests code lines"
echo "product: $product code lines"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "tests / product: %.0f%%; tests / all code: %.0f%%\n", 100 * t / p, 100 * t / (t + p) }'
