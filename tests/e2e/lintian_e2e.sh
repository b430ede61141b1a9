#!/usr/bin/env bash
# Lintian, Debian's package checker, finds no error and no warning in the package; what it
# only notes (informational tags) is printed. Skipped (77) without lintian.
# Usage: lintian_e2e.sh PACKAGE_DIR (holding tarnel_VERSION_ARCH.deb)
set -euo pipefail
command -v lintian >/dev/null || exit 77
debs=("$1"/tarnel_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no package in $1" >&2; exit 1; }
lintian --display-info --fail-on error,warning "${debs[@]}" ||
    { echo "FAIL: lintian found errors or warnings" >&2; exit 1; }
echo "PASS: lintian"
