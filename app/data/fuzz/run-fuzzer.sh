#!/bin/sh
# Runs one fuzz target for a fixed time, seeded from the fixture files.
# usage: run-fuzzer.sh FUZZER EXTENSION WORKDIR SECONDS SEEDDIR...
set -eu
fuzzer=$1 ext=$2 work=$3 seconds=$4
shift 4
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
for dir in "$@"; do
  for f in "$dir"/*."$ext"; do
    [ -e "$f" ] && cp "$f" "$work/corpus/"
  done
done
if [ -z "$(ls "$work/corpus")" ]; then
  echo "run-fuzzer: no *.$ext seeds in $*" >&2
  exit 1
fi
exec "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus"
