#!/bin/sh
# Checks the numpy peer (bench/numpy_peer.py) against zebstat-batch eval --json:
# on the largest record file and on the example record files, for the static
# plot types and several q and c orders. Exit status 77 (skipped) when
# /usr/bin/python3 has no numpy.
#   sh bench/peer_check.sh BATCH MAKE_EXAMPLES [MAXIMAL_FILE]
set -e
batch=$1
make_examples=$2
file=$3
top=$(cd "$(dirname "$0")/.." && pwd)
python=/usr/bin/python3
peer="$top/bench/numpy_peer.py"
if [ ! -x "$batch" ] || [ ! -x "$make_examples" ]; then
    echo "usage: peer_check.sh BATCH MAKE_EXAMPLES [MAXIMAL_FILE]" >&2
    exit 2
fi
if ! "$python" -c 'import numpy' 2>/dev/null; then
    echo "peer_check: $python has no numpy (Debian package python3-numpy): skipped" >&2
    exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/zebstat-peer-check.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
if [ -z "$file" ]; then
    file="$work/max.sta"
    "$make_examples" --maximal "$file" >/dev/null
fi
"$make_examples" "$work" >/dev/null
status=0
check() {
    "$python" "$peer" --check "$batch" "$@" || status=1
}
# The timed configuration, then the other plot types, orders and smoothing.
check --plot zimm --q-order 2 --c-order 2 "$file"
check --plot berry --q-order 1 --c-order 1 "$file"
check --plot guinier --q-order 2 --c-order 1 "$file"
check --plot zimm --q-order 1 --c-order 2 --smooth "$file"
check --plot berry --q-order 3 --c-order 3 "$file"
check --plot guinier --q-order 2 --c-order 2 --smooth "$file"
# A copy with holes: every 7th Kc/R missing, and the fifth concentration left
# with two angles only, so that its q² fits of order 2 and more are refused.
"$python" - "$file" "$work/holes.sta" <<'PY'
import sys
import numpy as np
records = np.fromfile(sys.argv[1], dtype=np.uint8).reshape(-1, 198).copy()
kcr = records[1:, 182:186].copy().view("<f4")[:, 0]
conc = records[1:, 118:122].copy().view("<f4")[:, 0]
kcr[::7] = 0
fifth = np.flatnonzero(conc == conc[np.sort(np.unique(conc, return_index=True)[1])][4])
kcr[fifth[2:]] = 0
records[1:, 182:186] = kcr.astype("<f4").view(np.uint8).reshape(-1, 4)
records.tofile(sys.argv[2])
PY
check --plot zimm --q-order 2 --c-order 2 "$work/holes.sta"
check --plot guinier --q-order 1 --c-order 3 "$work/holes.sta"
for example in "$work/ps-toluene.sta" "$work/ps-static.sta"; do
    check --plot zimm --q-order 1 --c-order 1 "$example"
    check --plot guinier --q-order 2 --c-order 2 "$example"
    check --plot berry --q-order 2 --c-order 0 "$example"
done
exit $status
