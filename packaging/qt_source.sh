# What the two Qt builds share, sourced by packaging/windows/build_qt.sh and
# packaging/web/build_qt.sh.

# qt_reuse_or_unpack KIND LABEL: with $cache, $version, $upstream and $prefix
# set. One build of a KIND at a time: the lock is held until the script
# ends, so a second command waits, then finds the first's Qt. Builds of the
# same upstream Qt under another key or Debian revision are removed. A Qt
# built already ends the script, printing its prefix; otherwise the source
# is unpacked as Debian builds it, the upstream source with Debian's patch
# series applied in its order (security fixes among them), into $work/src,
# and the script goes on in $work.
qt_reuse_or_unpack() {
    local kind=$1 label=$2 old
    mkdir -p "$cache/$kind"
    exec 9>"$cache/$kind/.lock"
    flock 9
    for old in "$cache/$kind/$upstream"[+-]*; do
        [[ -e "$old" && "$old" != "$prefix" ]] || continue
        echo "Removing a Qt for $label no longer used: $old" >&2
        rm -rf "$old"
    done
    if [[ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
        echo "Qt $version for $label: reusing $prefix" >&2
        echo "$prefix"
        exit 0
    fi
    work=$cache/$kind/build-${prefix##*/}
    rm -rf "$cache/$kind"/build-* "$prefix.partial"
    mkdir -p "$work"
    cd "$work"
    qt_fetch_source
    echo "Debian's patches applied to Qt $version:" >&2
    grep -v '^\s*\(#\|$\)' src/debian/patches/series | sed 's/^/  /' >&2
}

# qt_fetch_source: Debian's source of qt6-base at $version unpacked into
# $work/src. apt reads a source list of this script's own (the machine's
# sources stay as they are) and fetches as its own user into a folder of
# its own; the files are then root's, checked against the hashes of the
# release's signed index (which is what makes dpkg-source's --no-check,
# for want of Debian's developer keys, safe), and only then unpacked.
qt_fetch_source() {
    local release apt=()
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mkdir -p "$work/apt/lists/partial" "$work/download"
    local key=signed-by=/usr/share/keyrings/debian-archive-keyring.gpg
    {
        echo "deb-src [$key] http://deb.debian.org/debian $release main"
        echo "deb-src [$key] http://deb.debian.org/debian $release-updates main"
        echo "deb-src [$key] http://security.debian.org/debian-security $release-security main"
    } >"$work/apt/sources.list"
    apt=(-o "Dir::Etc::SourceList=$work/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
         -o "Dir::State::Lists=$work/apt/lists")
    chown -R _apt "$work/apt/lists" "$work/download" 2>/dev/null || true
    apt-get "${apt[@]}" update >&2
    (cd "$work/download" && apt-get "${apt[@]}" source --download-only "qt6-base=$version" >&2)
    chown -R root:root "$work/download"
    chmod -R go-w "$work/download"
    apt-get "${apt[@]}" source --print-uris "qt6-base=$version" |
        awk -v folder="$work/download" '$4 ~ /^SHA256:/ { print substr($4, 8) "  " folder "/" $2 }' |
        sha256sum --check --strict >&2
    dpkg-source --no-check -x "$work/download/qt6-base_${version#*:}.dsc" "$work/src" >&2
}
