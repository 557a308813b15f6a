# Sourced by the scripts: installs the Debian packages the project needs when missing.
PANELINK_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev libxcb1-dev
    xvfb xauth xdotool xclip socat fonts-dejavu-core desktop-file-utils
    clang clang-format clang-tidy libclang-rt-14-dev
    libasio-dev libhamlib-utils
)

panelink_install_deps() {
    local missing=()
    for pkg in "${PANELINK_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$pkg")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
}
