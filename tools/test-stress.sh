#!/bin/sh
# Runs the built test suites ROUNDS times each, JOBS tests at once, on a machine
# made busy on purpose: one busy loop per core, and another process holding an
# exclusive lock on every file in examples/ for the whole run. Every round of
# every suite must pass.
# Usage: tools/test-stress.sh [ROUNDS] [JOBS] BUILD_FOLDER...
set -u
rounds=${1:-5}
jobs=${2:-8}
shift 2 2>/dev/null || shift $#
[ $# -gt 0 ] || set -- build build-asan
top=$(cd "$(dirname "$0")/.." && pwd)

helpers=""
cleanup() {
    for pid in $helpers; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
}
trap cleanup EXIT INT TERM

# One busy loop per core.
cores=$(nproc 2>/dev/null || echo 2)
i=0
while [ "$i" -lt "$cores" ]; do
    sh -c 'while :; do :; done' &
    helpers="$helpers $!"
    i=$((i + 1))
done

# Exclusive locks on the example files, held by one other process until the end.
lockready=$(mktemp)
/usr/bin/python3 - "$lockready" "$top"/examples/* <<'PY' &
import fcntl, os, signal, sys, time
held = []
for name in sys.argv[2:]:
    if os.path.isfile(name):
        f = open(name, "rb")
        fcntl.flock(f, fcntl.LOCK_EX)
        held.append(f)
open(sys.argv[1], "w").write("%d\n" % len(held))
signal.signal(signal.SIGTERM, lambda *a: sys.exit(0))
while True:
    time.sleep(3600)
PY
helpers="$helpers $!"
for _ in $(seq 1 100); do [ -s "$lockready" ] && break; sleep 0.1; done
[ -s "$lockready" ] || { echo "test-stress: the lock holder did not start"; exit 1; }
echo "test-stress: $cores busy loops, $(cat "$lockready") example files locked by another process"
rm -f "$lockready"

failed=0
round=1
while [ "$round" -le "$rounds" ]; do
    for build in "$@"; do
        [ -d "$build" ] || { echo "test-stress: no build folder $build"; exit 1; }
        log="$build/test-stress-round$round.log"
        started=$(date +%s)
        if (cd "$build" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
                ctest -j "$jobs" --output-on-failure --timeout 900) >"$log" 2>&1; then
            result=passed
        else
            result=FAILED
            failed=$((failed + 1))
        fi
        summary=$(grep -E "tests passed|tests failed" "$log" | tail -n 1)
        echo "round $round, $build: $result in $(( $(date +%s) - started )) s ($summary); log: $log"
        [ "$result" = passed ] || grep -E "^\s+[0-9]+ - .*\((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)" "$log"
    done
    round=$((round + 1))
done
[ "$failed" -eq 0 ] && echo "test-stress: every round passed" || echo "test-stress: $failed failed run(s)"
[ "$failed" -eq 0 ]
