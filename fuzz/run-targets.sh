#!/bin/sh
# Runs fuzz targets from the fuzz build folder: run-targets.sh MAX_LEN TARGET...
# FUZZ_LIMIT gives libFuzzer's limit (-runs=N or -max_total_time=S). Prints
# per target the executions, executions per second and findings; exits 1 when
# any target found something.
max_len=$1
shift
found=0
summary=""
for t in "$@"; do
  mkdir -p corpus/$t artifacts/$t seeds/$t
  before=$(ls artifacts/$t | wc -l)
  echo "== fuzz_$t ($FUZZ_LIMIT)"
  ./bin/fuzz_$t $FUZZ_LIMIT -max_len=$max_len -print_final_stats=1 -rss_limit_mb=2048 \
    -artifact_prefix=artifacts/$t/ corpus/$t seeds/$t > log-$t.txt 2>&1
  grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|SUMMARY|==[0-9]+==ERROR)' log-$t.txt
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' log-$t.txt)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' log-$t.txt)
  findings=$(( $(ls artifacts/$t | wc -l) - before ))
  [ "$findings" -gt 0 ] && found=1 && echo "fuzz_$t: finding in $(pwd)/artifacts/$t (log-$t.txt)"
  summary="$summary
fuzz_$t: ${runs:-?} executions, ${rate:-?} exec/s, $findings findings"
done
echo "== summary$summary"
exit $found
