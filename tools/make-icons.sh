#!/usr/bin/env bash
# Renders the application icon desktop/icons/kelvora.svg into the PNG sizes the desktop and the
# program use. The PNGs are kept in the repository, so building never needs an SVG renderer; run
# this again after changing the SVG.
#
#   tools/make-icons.sh
#
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v rsvg-convert >/dev/null; then
    echo "make-icons.sh: rsvg-convert is missing; install the Debian package librsvg2-bin" >&2
    exit 1
fi

source=desktop/icons/kelvora.svg
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio "$source" \
        --output "desktop/icons/kelvora-$size.png"
done
echo "make-icons.sh: rendered $source into desktop/icons/kelvora-{16,22,24,32,48,64,128,256}.png"
