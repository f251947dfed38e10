#!/usr/bin/env bash
# lorvanel-cli with pipes as a shell user meets them: "-" reads standard input, pictures go to
# standard output, a full disk is an error (exit 1 with a message), a closed pipe is not.
#   cli-streams.sh LORVANEL_CLI DEMO_LOG
set -uo pipefail
cli=$1
log=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# "-" as the file: a pipe gives what the file gives, with and without --limit-mb.
"$cli" dump "$log" >"$work/file.jsonl" 2>/dev/null || fail "dump of the file"
cat "$log" | "$cli" dump - >"$work/pipe.jsonl" 2>"$work/pipe.err" || fail "dump - : $(cat "$work/pipe.err")"
cmp -s "$work/file.jsonl" "$work/pipe.jsonl" || fail "dump - differs from dump FILE"
[ -s "$work/pipe.jsonl" ] || fail "dump - printed nothing"
"$cli" report --limit-mb 1 "$log" >"$work/file.txt" 2>/dev/null
cat "$log" | "$cli" report --limit-mb 1 - >"$work/pipe.txt" 2>/dev/null || fail "report --limit-mb 1 -"
# The analysis log names the file read and its times; the rest is the same.
diff <(grep -v -e "^ファイルを開いています" -e "^完了" "$work/file.txt") \
     <(grep -v -e "^ファイルを開いています" -e "^完了" "$work/pipe.txt") >/dev/null ||
    fail "report - differs"
status=0
"$cli" dump - - </dev/null >/dev/null 2>"$work/twice.err" || status=$?
[ "$status" = 2 ] || fail "dump - - exited $status, not 2"

# Pictures on standard output are the pictures written to files.
if "$cli" graph --kind 3 --png "$work/cal.png" "$log" 2>/dev/null; then
    "$cli" graph --kind 3 --png - "$log" >"$work/stdout.png" 2>/dev/null || fail "graph --png -"
    cmp -s "$work/cal.png" "$work/stdout.png" || fail "graph --png - differs from the file"
    [ "$(head -c 4 "$work/stdout.png" | od -An -tx1 | tr -d ' ')" = 89504e47 ] ||
        fail "graph --png - is not a PNG"
    "$cli" graph --kind 4 --svg - "$log" >"$work/stdout.svg" 2>/dev/null || fail "graph --svg -"
    grep -q "<svg" "$work/stdout.svg" || fail "graph --svg - wrote no SVG"
    [ ! -e ./- ] || fail "a file named '-' was written"
fi

# A full disk: exit status 1 and one message naming standard output.
for args in "dump $log" "report $log" "--version" "posts --rows 0-3 $log"; do
    status=0
    # shellcheck disable=SC2086
    "$cli" $args >/dev/full 2>"$work/full.err" || status=$?
    [ "$status" = 1 ] || fail "$args > /dev/full exited $status"
    [ "$(grep -c "^lorvanel-cli: standard output: No space left on device$" "$work/full.err")" = 1 ] ||
        fail "$args > /dev/full said: $(cat "$work/full.err")"
done

# Standard input's copy is never left behind, not even when a closed pipe ends the program.
mkdir "$work/tmp"
cat "$log" | TMPDIR=$work/tmp "$cli" dump - 2>/dev/null | head -n 1 >/dev/null
cat "$log" | TMPDIR=$work/tmp "$cli" report - >/dev/null 2>&1
[ -z "$(ls -A "$work/tmp")" ] || fail "standard input's copy was left: $(ls "$work/tmp")"

# A reader that stops early: no message.
"$cli" dump "$log" 2>"$work/pipe-closed.err" | head -n 1 >/dev/null
grep -q "lorvanel-cli" "$work/pipe-closed.err" && fail "a closed pipe gave: $(cat "$work/pipe-closed.err")"

[ "$failures" = 0 ] && echo "all stream checks passed"
exit "$((failures > 0))"
