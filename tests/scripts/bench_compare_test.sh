#!/bin/sh
# bench_compare.py on stand-in benchmark programs whose times and input fingerprints are
# fixed: the medians and speed-ups it prints, benchmarks and programs on one side only, the
# filter, the warning when the sides ran on different data, and the ABBA order of the runs.
# Usage: bench_compare_test.sh SOURCE_ROOT
set -eu
tool="$1/scripts/bench_compare.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
  echo "FAILED: $*" >&2
  status=1
}

# fake_program PATH "name ms ..." "key value ...": answers --benchmark_filter and
# --benchmark_out like a benchmark program, with the given CPU times and context entries.
fake_program() {
  mkdir -p "$(dirname "$1")"
  cat >"$1" <<STANDIN
#!/bin/sh
for arg in "\$@"; do
  case "\$arg" in
    --benchmark_filter=*) filter=\${arg#*=} ;;
    --benchmark_out=*) out=\${arg#*=} ;;
  esac
done
set -- $2
entries=""
while [ \$# -gt 0 ]; do
  if echo "\$1" | grep -Eq "\$filter"; then
    entries="\$entries\${entries:+,}{\"name\": \"\$1\", \"run_type\": \"iteration\", \"cpu_time\": \$2, \"real_time\": 99, \"time_unit\": \"ms\"}"
  fi
  shift 2
done
[ -n "\$entries" ] || exit 0
context=""
set -- $3
while [ \$# -gt 0 ]; do
  context="\$context, \"input:\$1\": \"\$2\""
  shift 2
done
printf '{"context": {"host_name": "x"%s}, "benchmarks": [%s]}\n' "\$context" "\$entries" >"\$out"
STANDIN
  chmod +x "$1"
}

fake_program "$work/base/area/bench_one" "a 2.0 b 1.5 gone 1.0" "a 11 b 22"
fake_program "$work/head/area/bench_one" "a 1.0 b 3.0 new 4.0" "a 11 b 23"
fake_program "$work/head/other/bench_two" "c 1.0" ""

python3 "$tool" --base-programs "$work/base" --head-programs "$work/head" --rounds 4 \
  --order-log "$work/order" >"$work/out" || fail "the tool failed"
line() { grep -E "^$1 " "$work/out" | tr -s ' '; }
[ "$(line a)" = "a 2 1 2.00x 2.00-2.00" ] || fail "a: $(line a)"
[ "$(line b)" = "b 1.5 3 0.50x 0.50-0.50" ] || fail "b: $(line b)"
[ "$(line gone)" = "gone 1 - only in base" ] || fail "gone: $(line gone)"
[ "$(line new)" = "new - 4 only in current" ] || fail "new: $(line new)"
[ "$(line c)" = "c - 1 only in current" ] || fail "a program on one side only: $(line c)"
grep -q "^WARNING: the two sides ran on different data for: input:b$" "$work/out" ||
  fail "no warning about input b"
expected="base bench_one
head bench_one
head bench_two
head bench_one
base bench_one
head bench_two
base bench_one
head bench_one
head bench_two
head bench_one
base bench_one
head bench_two"
[ "$(cat "$work/order")" = "$expected" ] || fail "run order: $(tr '\n' ' ' <"$work/order")"

python3 "$tool" --base-programs "$work/base" --head-programs "$work/head" --rounds 1 \
  --filter '^a$' >"$work/out" || fail "the tool failed with a filter"
[ "$(grep -Ec '^(b|c|gone|new) ' "$work/out")" = 0 ] || fail "the filter let others through"
grep -q "^inputs: the 1 fingerprints both sides record agree$" "$work/out" ||
  fail "agreeing fingerprints not reported"
exit "$status"
