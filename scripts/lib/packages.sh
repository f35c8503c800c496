# Installs Debian packages that are missing: with apt-get when run as root, otherwise it
# prints the commands to run and fails. Sourced by the scripts beside it.

# ensure_packages PACKAGE... : every named package installed, or exit 1. A package named with
# a foreign architecture (wine32:i386) has that architecture added to dpkg first if needed.
ensure_packages() {
    local missing=() architectures=()
    local package architecture
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    for package in "${missing[@]}"; do
        [[ $package == *:* ]] || continue
        architecture=${package##*:}
        [ "$architecture" = "$(dpkg --print-architecture)" ] && continue
        dpkg --print-foreign-architectures | grep -qxF "$architecture" && continue
        [[ " ${architectures[*]} " == *" $architecture "* ]] || architectures+=("$architecture")
    done
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        for architecture in "${architectures[@]}"; do
            echo "  sudo dpkg --add-architecture $architecture" >&2
        done
        [ ${#architectures[@]} -eq 0 ] || echo "  sudo apt-get update" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]} ..." >&2
    export DEBIAN_FRONTEND=noninteractive
    for architecture in "${architectures[@]}"; do
        echo "Adding the $architecture architecture ..." >&2
        dpkg --add-architecture "$architecture"
        FATHOMLIST_APT_UPDATED=  # the package lists lack the new architecture
    done
    if [ -z "${FATHOMLIST_APT_UPDATED:-}" ]; then
        apt-get update -qq >&2
        FATHOMLIST_APT_UPDATED=1
    fi
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# The tools every build needs.
BUILD_PACKAGES=(cmake ninja-build g++ make)

# The Windows build and its tests: the cross compiler with the thread model GoogleTest needs
# (windres comes with it), 32-bit Wine, and a virtual screen for the windows.
# The X libraries that 32-bit Wine only recommends are named too, so the windows are drawn
# the same on every machine.
WINDOWS_PACKAGES=(g++-mingw-w64-i686-posix wine wine32:i386 xvfb xauth
    libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxfixes3:i386
    libxinerama1:i386 libxcomposite1:i386 fonts-wine)
