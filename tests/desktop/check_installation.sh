#!/usr/bin/env bash
# Installs the build into a scratch prefix (with a space in its path, as a user's folder may have)
# and checks what a user and a desktop see there: the self-contained program folder, the launcher,
# the desktop entry, the metainfo and the icons, the program's library found in the program's own
# folder, and the program started through the launcher opening the database beside itself.
#
#   check_installation.sh BUILD_DIR PREFIX PROGRAM_DIR APP_ID LAUNCHER
set -euo pipefail
build=$1 prefix=$2 program_dir=$3 app_id=$4 launcher_name=$5
here=$(cd "$(dirname "$0")" && pwd)
folder=$prefix/$program_dir
launcher=$prefix/bin/$launcher_name
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# The program folder holds everything the program needs at run time.
for file in Kelvora libZelmarControls.so Kelvora.mdb help/contents.html kelvora.svg kelvora.png; do
    [ -f "$folder/$file" ] || fail "the program folder lacks $file"
done

# The launcher is a link that ends at the program.
if [ ! -L "$launcher" ]; then
    fail "$launcher is not a link"
elif [ "$(readlink -f "$launcher")" != "$(readlink -f "$folder/Kelvora")" ]; then
    fail "$launcher leads to $(readlink -f "$launcher"), not to the program"
fi

# Desktop files where the desktop looks for them, icons at the size their folder promises.
share=$prefix/share
[ -f "$share/applications/$app_id.desktop" ] || fail "no desktop entry in share/applications"
[ -f "$share/metainfo/$app_id.metainfo.xml" ] || fail "no metainfo in share/metainfo"
[ -f "$share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    if [ ! -f "$icon" ]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    # Width and height are the two big-endian words after the PNG signature and the IHDR header.
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
        awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
    [ "$width x $height" = "$size x $size" ] || fail "the ${size}x${size} icon is $width x $height"
done

# The program finds its library beside itself, wherever the folder is: the run path is $ORIGIN, and
# the loader resolves it to the program folder. (ldd cannot judge the launcher: it hands the
# loader the link's own path, where a real start resolves $ORIGIN through the link; the start
# below covers that.)
runpath=$(readelf -d "$folder/Kelvora" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = '$ORIGIN' ] || fail "the program's run path is '$runpath', not \$ORIGIN"
moved=$(mktemp -d)
cp -a "$folder" "$moved/copied folder"
for where in "$folder" "$moved/copied folder"; do
    library=$(ldd "$where/Kelvora" | sed -n 's/^[[:space:]]*libZelmarControls\.so => \(.*\) (0x.*)$/\1/p')
    if [ -z "$library" ] || [ "$(readlink -f "$library")" != "$(readlink -f "$where/libZelmarControls.so")" ]; then
        fail "the program in $where loads libZelmarControls.so from '$library', not from its folder"
    fi
done
rm -rf "$moved"

# The installed entry starts the installed program by its full path, quoted for the space.
exec_line=$(grep '^Exec=' "$share/applications/$app_id.desktop")
[ "$exec_line" = "Exec=\"$launcher\"" ] || fail "the desktop entry has $exec_line, not Exec=\"$launcher\""
validated() {
    local status=0
    bash "$here/validate.sh" "$1" "$2" || status=$?
    [ $status -eq 0 ] || [ $status -eq 77 ] || fail "the installed $1 does not validate"
}
validated desktop-entry "$share/applications/$app_id.desktop"
validated metainfo "$share/metainfo/$app_id.metainfo.xml"

# Started through the launcher, the program must open the database in its own folder. A fresh
# installation then waits in its welcome message, so it is stopped once the database is seen open.
export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
"$launcher" >"$log" 2>&1 &
pid=$!
database=$(readlink -f "$folder/Kelvora.mdb")
opened=no
for _ in $(seq 1 300); do
    kill -0 $pid 2>/dev/null || break
    for fd in /proc/$pid/fd/*; do
        if [ "$(readlink "$fd" 2>/dev/null)" = "$database" ]; then
            opened=yes
            break 2
        fi
    done
    sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
    kill $pid
    wait $pid 2>/dev/null || true
    [ $opened = yes ] || fail "the program started by $launcher did not open $database within 30 seconds"
else
    status=0
    wait $pid || status=$?
    fail "the program started by $launcher ended with status $status; it said: $(cat "$log")"
fi
rm -f "$log"

if [ $failures -ne 0 ]; then
    echo "$failures problem(s) with the installation in $prefix" >&2
    exit 1
fi
echo "the installation in $prefix is complete and starts"
