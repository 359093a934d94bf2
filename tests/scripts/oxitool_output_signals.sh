#!/bin/bash
# What would end an output command half-way through a file: a file-size limit fails the
# write as a full disk does (export, csv, pdf: exit 1), and Ctrl-C, SIGTERM or SIGHUP stop
# export and csv after the file being written (exit 128 + the signal's number). Either
# way no temporary file stays behind.
source "$(dirname "$0")/lib/checks.sh"
lib="$(dirname "$0")/lib"

# name samples-expression start
make() {
  PYTHONPATH="$lib" python3 -c "
import oxi_record as r, sys
r.write(sys.argv[1], $2, 10, start=$3)" "$1"
}
leftovers() {
  find "$1" -name '.tmp-*' | wc -l
}
# signal_while_writing PID FOLDER SIGNAL: sends the signal once a file is being written in
# FOLDER (its temporary file shows), or after 30 s.
signal_while_writing() {
  for _ in $(seq 3000); do
    [ "$(leftovers "$2")" -gt 0 ] && break
    sleep 0.01
  done
  kill -"$3" "$1"
}

# A file-size limit (ulimit -f: 20 KiB) far below the files.
long="$work/2603150905.oxi"
make "$long" "r.varied(20000)" "(26, 3, 15, 9, 5)"
commands=("export --format csv $long -o OUT.csv" "csv $long -o OUT.csv")
"$tool" pdf "$long" -o - 2>&1 >/dev/null | grep -q "without Qt" || commands+=("pdf $long -o OUT.pdf")
for command in "${commands[@]}"; do
  rm -rf "$work/limit"
  mkdir "$work/limit"
  # shellcheck disable=SC2086  # the command is words
  err=$(
    ulimit -f 20
    "$tool" ${command//OUT/$work/limit/out} 2>&1 >/dev/null
  )
  rc=$?
  [ "$rc" -eq 1 ] || fail "$command: exit code $rc under a file-size limit"
  grep -q "cannot be written" <<<"$err" || fail "$command: no reason: $err"
  [ -z "$(ls -A "$work/limit")" ] || fail "$command: left behind: $(ls -A "$work/limit")"
done

# A store of large records; the signal comes while a file is half-written. That file is
# finished, no other is begun, and every file is whole.
store="$work/store/Application Data/StO2/OXIAAAAAAAAAAAA"
mkdir -p "$store"
PYTHONPATH="$lib" python3 -c "
import oxi_record as r, sys
samples = r.varied(65535)
for d in range(1, 17):
    r.write('%s/2603%02d0905.oxi' % (sys.argv[1], d), samples, 10, start=(26, 3, d, 9, 5))" "$store"
for stop in "export INT 130" "export TERM 143" "csv HUP 129"; do
  read -r command signal status <<<"$stop"
  rm -rf "$work/out"
  mkdir "$work/out"
  # Started as from a terminal: a shell starts background commands with Ctrl-C ignored.
  if [ "$command" = export ]; then
    env --default-signal=INT "$tool" export --format csv --root "$work/store" -d "$work/out" \
      2>"$work/err" &
  else
    env --default-signal=INT "$tool" csv "$store"/*.oxi -d "$work/out" 2>"$work/err" &
  fi
  signal_while_writing $! "$work/out" "$signal"
  wait $!
  rc=$?
  [ "$rc" -eq "$status" ] || fail "$command: exit code $rc after SIG$signal"
  grep -q 'oxitool: stopped' "$work/err" || fail "$command: not said to have stopped: $(cat "$work/err")"
  [ "$(leftovers "$work/out")" -eq 0 ] || fail "$command: a temporary file stayed after SIG$signal"
  written=$(find "$work/out" -name '*.csv' | wc -l)
  [ "$written" -lt 16 ] || fail "$command: $written files, not stopped early"
  # Whole files: the samples and the header lines (one in the UTF-8 CSV, two in the other).
  lines=$((65535 + $([ "$command" = export ] && echo 1 || echo 2)))
  while read -r file; do
    [ "$(wc -l <"$file")" -eq "$lines" ] || fail "$command: $file is not whole"
  done < <(find "$work/out" -name '*.csv')
done

finish "oxitool output signals"
