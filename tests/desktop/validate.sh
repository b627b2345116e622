#!/usr/bin/env bash
# Validates a desktop entry or an AppStream metainfo file with the validator the desktops use.
#
#   validate.sh desktop-entry FILE | metainfo FILE
#
# Exits 77 (reported as skipped) only when the validator is not installed; any error or warning
# fails, hints and pedantic remarks do not.
set -euo pipefail
kind=$1
file=$2

case $kind in
desktop-entry)
    tool=desktop-file-validate package=desktop-file-utils
    command=(desktop-file-validate "$file")
    ;;
metainfo)
    tool=appstreamcli package=appstream
    command=(appstreamcli validate --no-net "$file")
    ;;
*)
    echo "validate.sh: unknown kind $kind" >&2
    exit 2
    ;;
esac

if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (Debian package $package; tools/install-deps.sh installs it)"
    exit 77
fi

status=0
output=$("${command[@]}" 2>&1) || status=$?
printf '%s\n' "$output"
# desktop-file-validate reports warnings without failing; they count here.
if [ $status -ne 0 ] || grep -Eq '(^|: )(error|warning):' <<<"$output"; then
    echo "validate.sh: $file does not pass $tool" >&2
    exit 1
fi
echo "validate.sh: $file passes $tool"
