#!/usr/bin/env bash
# The window-free suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded
# fuzzing run of the settings reader.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "hardening: not set up yet"
