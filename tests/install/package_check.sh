#!/usr/bin/env bash
# Makes the Debian package of the build, unpacks it into a scratch root whose folders are then made
# read-only, and starts the unpacked program twice with a scratch data folder: the first start must
# make the user's own diary there, owner-only, and complete the first-run sequence; the second must
# work on that diary; and nothing under the package's folders may change.
#
#   package_check.sh CPACK BUILD_DIR SCRATCH VERSION PROGRAM_DIR APP_ID
set -euo pipefail
cpack=$1 build=$2 scratch=$3 version=$4 program_dir=$5 app_id=$6
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

root=$scratch/root
cleanup() { if [ -d "$root" ]; then chmod -R u+w "$root"; fi; }
cleanup
rm -rf "$scratch"
mkdir -p "$scratch/out"
trap cleanup EXIT

"$cpack" -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; echo "cpack failed" >&2; exit 1; }
deb=$scratch/out/kelvora_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$scratch/out" >&2; echo "no package $deb" >&2; exit 1; }

# The package's fields: the project version, and the libraries the binaries need.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package has version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6printsupport6 libqt6svg6 libsqlite3-0 libc6; do
    grep -q "\b$library\b" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
for field in Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" $field)" ] || fail "the package has no $field"
done

dpkg-deb -x "$deb" "$root"
folder=$root/usr/$program_dir
for file in Kelvora libZelmarControls.so Kelvora.mdb help/contents.html; do
    [ -f "$folder/$file" ] || fail "the package's program folder lacks $file"
done
[ "$(readlink "$root/usr/bin/kelvora")" = "../$program_dir/Kelvora" ] ||
    fail "/usr/bin/kelvora leads to '$(readlink "$root/usr/bin/kelvora")'"
grep -qx "Exec=/usr/bin/kelvora" "$root/usr/share/applications/$app_id.desktop" ||
    fail "the desktop entry does not start /usr/bin/kelvora"
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', not $version"
for file in share/icons/hicolor/scalable/apps/$app_id.svg share/icons/hicolor/48x48/apps/$app_id.png \
    share/doc/kelvora/copyright share/doc/kelvora/changelog.gz share/man/man1/kelvora.1.gz; do
    [ -f "$root/usr/$file" ] || fail "the package lacks /usr/$file"
done
shipped=$folder/Kelvora.mdb
[ "$(stat -c %a "$shipped")" = 444 ] || fail "the shipped diary has mode $(stat -c %a "$shipped"), not 444"
[ "$(sqlite3 "$shipped" 'select FirstStart from Common')" = 1 ] || fail "the shipped diary has been started"

# As installed for everyone: nothing under the package's folders is the user's to write.
chmod -R a-w "$root"
listing() {
    (cd "$root" && find . -printf '%p %y %m %s %l\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
listing >"$scratch/before"

# A user who has never started Kelvora: no data folder at all yet.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
diary=$XDG_DATA_HOME/kelvora/Kelvora.mdb
start() {
    local status=0
    timeout 300 "$root/usr/bin/kelvora" --quit-after-start >"$scratch/$1.log" 2>&1 || status=$?
    [ $status -eq 0 ] || fail "the $1 start ended with status $status: $(cat "$scratch/$1.log")"
}

start first
if [ ! -f "$diary" ]; then
    fail "the first start made no diary at $diary"
else
    [ "$(stat -c %a "$diary")" = 600 ] || fail "the user's diary has mode $(stat -c %a "$diary"), not 600"
    [ "$(stat -c %a "$XDG_DATA_HOME/kelvora")" = 700 ] || fail "the diary's folder is not the owner's only"
    [ "$(sqlite3 "$diary" 'select FirstStart from Common')" = 0 ] || fail "the first start did not complete"
    grep -q "^Kelvora: You are welcome!: Welcome to the Kelvora program!" "$scratch/first.log" ||
        fail "the first start did not welcome the user: $(cat "$scratch/first.log")"
    grep -q "^Kelvora: answered frmCommon" "$scratch/first.log" || fail "the first start asked for no parameters"
    sqlite3 "$diary" "update MealCategory set Name = 'Kept by the user' where MealCategoryID = 1"

    start second
    [ "$(sqlite3 "$diary" 'select Name from MealCategory where MealCategoryID = 1')" = "Kept by the user" ] ||
        fail "the second start did not keep the user's diary"
    ! grep -q "You are welcome!" "$scratch/second.log" || fail "the second start ran the first-run sequence again"
    # Not the diary's first start any more: the day's safety copy goes beside the user's diary.
    ls "$XDG_DATA_HOME/kelvora/backups/"Kelvora-????-??-??.mdb >/dev/null 2>&1 ||
        fail "the second start made no safety copy beside the user's diary"
    [ ! -e "$diary.lock" ] || fail "the lock stayed behind after the program ended"
fi

listing >"$scratch/after"
diff "$scratch/before" "$scratch/after" >&2 || fail "the package's folders changed"

if [ $failures -ne 0 ]; then
    echo "$failures problem(s) with the package $deb" >&2
    exit 1
fi
echo "the package $deb installs the program, which makes and keeps the user's own diary"
