#!/usr/bin/env bash
# Runs every test of a build through ctest and tells, as each test goes, what it says of itself:
# its verdicts (PASS, FAIL and SKIP, with the reason; of Qt Test's passes, one a test function)
# and its steps (lines that start with two blanks); and, for a test that fails, all it wrote.
# ctest's own summary ends it. The whole output is kept in BUILD_DIR/Testing/ctest.log.
#   ctest.sh BUILD_DIR [CTEST_ARGUMENTS...]
set -uo pipefail
build=$1
shift
mkdir -p "$build/Testing"
ctest --test-dir "$build" --verbose "$@" 2>&1 | tee "$build/Testing/ctest.log" | /usr/bin/python3 -B -u -c '
import re, sys
written = {}  # each test number: all its lines
last_function = {}
listing = False
for line in sys.stdin:
    line = line.rstrip("\n")
    own = re.match(r"(\d+): (.*)", line)
    if own:  # a test of its own says so, as "NUMBER: LINE"
        test, said = own.groups()
        written.setdefault(test, []).append(said)
        if said.startswith("PASS   : "):  # Qt Test: each data row of a function
            function = said.split("(")[0]
            if function != last_function.get(test):
                print("      " + function)
            last_function[test] = function
        elif re.match(r"(PASS|FAIL|SKIP|XFAIL|XPASS|QFATAL)", said) or re.match(r"  \S", said):
            print("      " + said)
        continue
    ended = re.match(r"\s*\d+/\d+ Test +#(\d+):", line)
    if ended:  # a test has ended: all it wrote, if it failed
        print(line)
        if not re.search(r" Passed +[\d.]+ sec$|Skipped", line):
            print("\n".join(written.get(ended.group(1), [])))
        continue
    if line.startswith("The following tests "):
        listing = "FAILED" in line or "did not run" in line
    if (re.match(r"\s*Start +\d+: ", line) or re.match(r"\d+% tests passed|Total Test time", line)
            or (listing and (line.startswith("\t") or line.startswith("The following")))):
        print(line)
'
