# Shared by scripts/run and scripts/test: installs the Debian packages that
# are missing, and only those.

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# What building and running the clock needs (README's "Installing" reads
# this list).
BUILD_PACKAGES=(qt6-base-dev qt6-translations-l10n cmake g++ make fonts-liberation2 libgl-dev libxcb-xinput-dev pkg-config libcanberra-dev libical-dev)

# What the desktop tests need besides: an X server, two window managers
# (openbox, icewm), a compositor, and the tools that drive and photograph
# them; a Wayland
# session with XWayland (weston, and Qt's Wayland plugin, which the clock
# must not pick); lintian for the package.
DESKTOP_PACKAGES=(xvfb x11-utils x11-xserver-utils x11-apps openbox icewm picom xdotool wmctrl imagemagick hsetroot faketime xauth
    python3-pyatspi at-spi2-core dbus dbus-x11 desktop-file-utils appstream dpkg-dev file
    weston xwayland qt6-wayland lintian)
