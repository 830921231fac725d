#!/bin/sh
# zebstat-batch against the numpy peer (bench/numpy_peer.py) on the largest
# record file (99 concentrations × 135 angles): first the peer's numbers are
# checked against ours, then both whole processes are timed side by side
# (CPU time user+sys, median of RUNS, default 15) and the ratio is printed.
#   sh bench/peer_side_by_side.sh [BUILD]      (BUILD: the build folder, default build)
set -e
build=${1:-build}
runs=${RUNS:-15}
top=$(cd "$(dirname "$0")/.." && pwd)
python=/usr/bin/python3
batch="$build/bin/zebstat-batch"
make_examples="$build/bin/zebstat-make-examples"
for tool in "$batch" "$make_examples"; do
    [ -x "$tool" ] || { echo "peer_side_by_side: $tool not built" >&2; exit 1; }
done
if ! "$python" -c 'import numpy' 2>/dev/null; then
    echo "peer_side_by_side: $python has no numpy (Debian package python3-numpy)" >&2
    exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/zebstat-peer.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
file="$work/max.sta"
"$make_examples" --maximal "$file" >/dev/null
peer="$top/bench/numpy_peer.py"
options="--plot zimm --q-order 2 --c-order 2"

echo "== The numpy peer against zebstat-batch ($(basename "$file"), $(wc -c <"$file") bytes, and the examples)"
sh "$top/bench/peer_check.sh" "$batch" "$make_examples" "$file"

# The peer evaluates, as --json does, but gives no confidence intervals: the
# batch tool's bootstrap is left out of the comparison (its own timing is in
# zebstat_bench), the propagated intervals and the order advice stay in.
echo "== Whole process, $options --json --bootstrap 0, $runs runs each"
"$python" "$top/bench/time_processes.py" "$runs" \
    "zebstat-batch eval" "'$batch' eval $options --json --bootstrap 0 '$file'" \
    "numpy peer" "$python '$peer' $options '$file'"
echo "== The same with the bootstrap's 2000 resamples"
"$python" "$top/bench/time_processes.py" 5 \
    "zebstat-batch eval" "'$batch' eval $options --json '$file'" \
    "numpy peer" "$python '$peer' $options '$file'"
