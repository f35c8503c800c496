# Installs Debian packages that are missing: with apt-get when run as root, otherwise it
# prints the apt-get line to run and fails. Sourced by the scripts beside it.

# ensure_packages PACKAGE... : every named package installed, or exit 1.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]} ..." >&2
    export DEBIAN_FRONTEND=noninteractive
    if [ -z "${FATHOMLIST_APT_UPDATED:-}" ]; then
        apt-get update -qq >&2
        FATHOMLIST_APT_UPDATED=1
    fi
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# The tools every build needs.
BUILD_PACKAGES=(cmake ninja-build g++ make)
