#!/usr/bin/env bash
# i686_suites.sh: the 64-bit build's word on the i686 suites (the release sysvela.exe and
# sysvela-cli.exe under Wine, the x87 painting, the window at 32 bits). They run in their own
# build, build/windows-tests, wherever this machine runs 32-bit programs; where it cannot, or the
# route was left out on purpose, this test is reported as not run (exit 77) with the reason.
source "$(dirname "$0")/../scripts/lib.sh"
if [ -n "${SYSVELA_I686_NOT_RUN:-}" ]; then
    echo "i686 suites not run: $SYSVELA_I686_NOT_RUN"
    exit 77
fi
if ! runs_i686; then
    echo "i686 suites not run: $SYSVELA_I686_REASON"
    exit 77
fi
echo "this machine runs 32-bit programs: the i686 suites run in build/windows-tests (ctest --preset windows-tests)"
