# Shared set-up of scripts/test and scripts/demo: Debian packages, configure, build.
# Sourced, not run.

QUODDLE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUODDLE_BUILD=${QUODDLE_BUILD:-$QUODDLE_ROOT/build}

# Everything the build, the tests and the demo use, as Debian packages.
QUODDLE_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev qt6-base-private-dev qt6-svg-dev qt6-translations-l10n libgl-dev
    libzip-dev
    adb
    xvfb xauth xdotool
    desktop-file-utils appstream
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation fonts-liberation2
)

quoddle_missing_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    echo "${missing[*]}"
}

# Installs what is missing when run as root; otherwise says what to run.
quoddle_install_packages() {
    local missing
    missing=$(quoddle_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: $missing"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
    else
        echo "Missing Debian packages. Run:"
        echo "  sudo apt-get install $missing"
        return 1
    fi
}

quoddle_build() {
    cmake -S "$QUODDLE_ROOT" -B "$QUODDLE_BUILD" -G Ninja "$@" >/dev/null
    cmake --build "$QUODDLE_BUILD" -j "$(nproc)"
}
