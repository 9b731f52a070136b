#!/usr/bin/env bash
# Checks what the Debian package declares and holds, unpacks it into a
# scratch root and starts the unpacked program headless: it must come up and
# show its first window.
# usage: deb_package.sh BUILD_DIR OUT_DIR MAIL_ADDRESS
set -euo pipefail
build=$(cd "$1" && pwd)
address=$3
source "$(dirname "$0")/../support/check.sh"
source "$(dirname "$0")/built_package.sh"
package_in "$2"
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
echo "package: $(basename "$deb")"

[[ "$(dpkg-deb -f "$deb" Package)" == dentivel ]]
[[ "$(dpkg-deb -f "$deb" Version)" == 3.03 ]]
[[ "$(dpkg-deb -f "$deb" Section)" == math ]]
[[ "$(dpkg-deb -f "$deb" Priority)" == optional ]]
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ "$maintainer" == *"<$address>" ]] || fail "maintainer is $maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6widgets6 libqt6svg6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n; do
    [[ "$depends" == *"$needed"* ]] || fail "does not depend on $needed"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *qt6-wayland* ]] || fail "does not recommend qt6-wayland"
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
    name=$(sed -E 's/^ *([^ (|]+).*/\1/' <<<"$entry")
    # Only the C and C++ run time, Qt and its data: anything else would be
    # pulled onto every user's system for nothing. Since Debian 13 some Qt
    # libraries carry the 64-bit time suffix (libqt6core6t64). libxcb1, which
    # Qt's X11 platform loads anyway, tells X11 task bars to leave two
    # windows out.
    [[ "$name" =~ ^(libc6|libstdc\+\+6|libgcc-s1|libqt6[a-z]+6(t64)?|libxcb1|qt6-qpa-plugins|qt6-translations-l10n)$ ]] ||
        fail "unexpected dependency $name"
    # Every dependency must be satisfiable on the release it was built on.
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" ||
        fail "dependency $name is not installed"
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/dentivel ./usr/share/applications/fr.dentivel.Dentivel.desktop \
    ./usr/share/metainfo/fr.dentivel.Dentivel.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/fr.dentivel.Dentivel.svg \
    ./usr/share/icons/hicolor/48x48/apps/fr.dentivel.Dentivel.png \
    ./usr/share/man/man1/dentivel.1.gz ./usr/share/man/fr/man1/dentivel.1.gz \
    ./usr/share/doc/dentivel/copyright ./usr/share/doc/dentivel/changelog.gz; do
    grep -q " $path\$" <<<"$contents" || fail "$path missing from the package"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/dentivel
[[ -x "$program" ]]
# The package's contact is the address the about window writes to.
grep -qaF "$address" "$program" || fail "$address is not the program's mail address"

# The software centre's text is the package's extended description, and the
# release it names is the package's, on the changelog's date.
metainfo=$root/usr/share/metainfo/fr.dentivel.Dentivel.metainfo.xml
words() { sed -e 's/<[^>]*>//g' | tr -s ' \n\t' '   ' | sed -e 's/^ //' -e 's/ $//'; }
appstream_text=$(sed -n '/<description>/,/<\/description>/p' "$metainfo" | words)
deb_text=$(dpkg-deb -f "$deb" Description | tail -n +2 | grep -vx ' \.' | words)
if [[ -z "$deb_text" || "$deb_text" != "$appstream_text" ]]; then
    printf 'FAIL: the extended description\n  %s\nis not the metainfo'"'"'s\n  %s\n' "$deb_text" "$appstream_text"
    exit 1
fi
version=$(dpkg-deb -f "$deb" Version)
changelog=$work/changelog
zcat "$root/usr/share/doc/dentivel/changelog.gz" >"$changelog"
[[ "$(dpkg-parsechangelog -l "$changelog" -S Version)" == "$version" ]] ||
    fail "the changelog's last entry is not version $version"
released=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
grep -q "<release version=\"$version\" date=\"$released\"" "$metainfo" ||
    fail "the metainfo has no release $version on $released"
zcat "$root/usr/share/man/man1/dentivel.1.gz" | grep -q "^\.TH DENTIVEL 1 .*\"Dentivel $version\"" ||
    fail "the manual page is not the one of version $version"
echo "description, changelog, release and manual page all name $version"

# The unpacked program must not lean on the build tree.
if ldd "$program" | grep -q "$build"; then
    fail "the packaged program loads libraries from the build tree"
fi

# Started with no display at all: it must still be running after a while.
unset DISPLAY WAYLAND_DISPLAY
QT_QPA_PLATFORM=offscreen "$program" >"$work/offscreen.log" 2>&1 &
pid=$!
pids+=("$pid")
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the installed program ended by itself"
    cat "$work/offscreen.log"
    exit 1
fi
kill "$pid"
echo "installed program runs headless (offscreen)"

# On a virtual X display its splash window must actually appear.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    display=:$((90 + RANDOM % 400))
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=("$!")
    for _ in $(seq 50); do
        DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" >"$work/xcb.log" 2>&1 &
    pids+=("$!")
    if ! DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --class dentivel >/dev/null; then
        echo "FAIL: no window of the installed program appeared"
        cat "$work/xcb.log"
        exit 1
    fi
    echo "installed program showed its splash window on a virtual display"
else
    echo "NOTE: Xvfb or xdotool missing, the window check on a display was not made"
fi
