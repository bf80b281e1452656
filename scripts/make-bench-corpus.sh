#!/usr/bin/env bash
# Builds the benchmark corpora (Mixed and Pure Chinese, GBK and UTF-8) from
# the manpages-zh package into bench/corpus/, which git ignores.
# Usage: scripts/make-bench-corpus.sh [--output DIR] [--megabytes N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 "$root/bench/make_corpus.py" "$@"
