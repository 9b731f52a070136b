# Sourced by the tests of the package deb_build.sh made: sets deb to it, or
# skips the test when there is none.
package_in() {
    local found=("$1"/dentivel_*.deb)
    if [[ ! -f "${found[0]}" ]]; then
        skip "no package in $1: deb_build did not make one"
    fi
    deb=${found[0]}
}
