# The Debian packages each set-up command needs, and the one way they are
# installed: sourced by setup.sh and fresh_root.sh.
#   install_packages MODE    MODE: run test sanitize coverage windows web root

# packages_for MODE: the packages, one a line, on this release.
packages_for() {
    # Building and starting the program: compiler, CMake, Qt (and X11's xcb,
    # which keeps two windows out of the task bar there), the fonts the
    # windows are designed for and Qt's own French texts; Qt's private
    # headers for the tests' screen reader.
    local build=(cmake ninja-build g++ pkg-config libgl-dev qt6-base-dev qt6-svg-dev libxcb1-dev
                 qt6-qpa-plugins qt6-translations-l10n fonts-liberation2 qt6-base-private-dev)
    # The sanitizer and fuzzer run time belongs to the release's default clang.
    local -A clang=([bookworm]=14 [trixie]=19)
    local release
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-none}")
    case $1 in
    run) printf '%s\n' "${build[@]}" ;;
    # What the tests drive: the data-file validators, the package tools, a
    # virtual X display with a window manager, a print server with a PDF
    # queue, a headless compositor with Qt's Wayland client, the formatter;
    # git and the fresh roots' tools for the check of a killed fresh root.
    test) printf '%s\n' "${build[@]}" poppler-utils desktop-file-utils appstream dpkg-dev file xvfb \
        xdotool openbox x11-utils lintian man-db groff-base cups printer-driver-cups-pdf weston \
        qt6-wayland clang-format git debootstrap debian-archive-keyring ;;
    sanitize) printf '%s\n' "${build[@]}" clang "libclang-rt-${clang[$release]:-unknown}-dev" ;;
    coverage) printf '%s\n' "${build[@]}" gcovr ;;
    # MinGW-w64, the tools to fetch and unpack a source package, Qt's host
    # tools, Wine with its fonts on a virtual display, and NSIS.
    windows) printf '%s\n' "${build[@]}" g++-mingw-w64-x86-64-posix dpkg-dev qt6-base-dev-tools \
        wine wine64 fonts-wine xvfb xauth nsis unzip ;;
    # Debian 13's emscripten with Qt's host tools and Qt's source, the
    # renderer of the icons, the faces the page carries and the tools that
    # keep only their French characters, Qt's texts; the three engines:
    # headless Chromium driven by Selenium, Firefox ESR over WebDriver BiDi
    # (websockets), WebKitGTK by Selenium on a virtual display in a locale
    # of its own; poppler's tools to read the PDFs, and brotli for the
    # start-up benchmark's sizes.
    web) printf '%s\n' cmake ninja-build g++ pkg-config libgl-dev qt6-base-dev qt6-svg-dev dpkg-dev \
        qt6-base-dev-tools emscripten fonts-liberation2 python3-fonttools qt6-translations-l10n \
        chromium chromium-driver python3-selenium firefox-esr python3-websockets webkit2gtk-driver \
        xvfb xauth locales poppler-utils brotli ;;
    root) printf '%s\n' debootstrap debian-archive-keyring ;;
    *) echo "no packages for '$1'" >&2 && return 2 ;;
    esac
}

# install_packages MODE: installs what is missing, as root or through sudo;
# names what the release does not have and stops.
install_packages() {
    local sudo=() missing=() unknown=() package policy list
    [[ $EUID -eq 0 ]] || sudo=(sudo)
    list=$(packages_for "$1")
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "$(. /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-This system}") has no apt:" \
            "these commands are for Debian 12 and Debian 13. Install the equivalents of:" $list >&2
        exit 1
    fi
    for package in $list; do
        [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" == "install ok installed" ]] ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    # Waiting for the lock, should unattended-upgrades hold it.
    local wait=(-o DPkg::Lock::Timeout=600)
    "${sudo[@]}" apt-get "${wait[@]}" update
    for package in "${missing[@]}"; do
        # Read whole first: grep -q stopping early would fail the pipe.
        policy=$(apt-cache policy "$package" 2>/dev/null)
        [[ "$policy" == *"Candidate: "[^\(]* ]] || unknown+=("$package")
    done
    if ((${#unknown[@]})); then
        echo "Not available on $(. /etc/os-release && echo "$PRETTY_NAME"): ${unknown[*]}" >&2
        echo "These commands are for Debian 12 and Debian 13." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    # The roots of fresh_root.sh share one download folder, which apt locks
    # without waiting: there, one install at a time.
    local lock=()
    [[ -z "${DENTIVEL_APT_LOCK:-}" ]] || lock=(flock "$DENTIVEL_APT_LOCK")
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${lock[@]}" apt-get "${wait[@]}" install -y \
        --no-install-recommends "${missing[@]}"
}
