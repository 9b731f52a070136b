# What the two cross-builds share, sourced by packaging/windows/windows.sh
# and packaging/web/web.sh from the clone's top.

# prepare_cross_tree KIND QT: makes build-KIND/ ready for Qt for KIND at QT,
# and builds the picture renderer for this machine in build-KIND-render/.
# CMake reads the toolchain file only when it first configures a tree, so a
# tree made with another Qt would go on using that one; and a tree made from
# another place (a clone bound elsewhere in a Debian root) names that place.
# Either is built afresh.
prepare_cross_tree() {
    local kind=$1 qt=$2 tree home
    for tree in "build-$kind" "build-$kind-render"; do
        home=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$tree/CMakeCache.txt" 2>/dev/null || true)
        if [[ -n "$home" && "$home" != "$PWD" && "$home" != "$PWD/packaging/render" ]]; then
            echo "$tree/ was made from $home: building it afresh"
            rm -rf "$tree"
        fi
    done
    if [[ -d "build-$kind" && "$(cat "build-$kind/qt-for-$kind" 2>/dev/null)" != "$qt" ]]; then
        echo "build-$kind/ was made with another Qt for $kind: building it afresh"
        rm -rf "build-$kind"
    fi
    cmake -S packaging/render -B "build-$kind-render" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "build-$kind-render"
}
