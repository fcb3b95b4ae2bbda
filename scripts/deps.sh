# Sourced by scripts/run and scripts/test: installs the Debian packages the
# build, the tests and the program need, and does nothing when all are there.

MORVEX_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev libfontconfig-dev
    xvfb xauth x11-utils xdotool xclip imagemagick fonts-noto-cjk qt6-translations-l10n poppler-utils
    at-spi2-core python3-pyatspi dbus-bin
    dpkg-dev file desktop-file-utils appstream
    lintian libxml2-utils shared-mime-info xdg-utils libglib2.0-bin libfile-mimeinfo-perl
)

# Only scripts/test needs these: the fuzz build (clang with its libFuzzer and
# sanitizer runtimes), readable sanitizer reports (llvm-symbolizer), and the
# spreadsheet and the print queue tst_externaltools drives, the window manager
# and the slow disk (strace) of the end-to-end keys script.
MORVEX_TEST_PACKAGES=(clang libclang-rt-14-dev llvm
    libreoffice-calc-nogui cups-daemon cups-client printer-driver-cups-pdf
    openbox strace)

# Only the Windows edition needs these (scripts/windows, scripts/windows-qt):
# the MinGW-w64 cross compiler, the installer's makensis, the zip, and Wine
# with its own fonts (Tahoma, which Windows has) and a window manager to test
# the programs under Xvfb.
MORVEX_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools nsis zip
    wine64 wine fonts-wine openbox)

morvex_install_deps() {
    local missing=()
    local pkg
    for pkg in "${MORVEX_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
