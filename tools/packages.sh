# Debian packages Morvelin needs to build, run and test. Sourced by tools/run and tools/run-tests.
MORVELIN_RUN_PACKAGES="cmake g++ make qt6-base-dev qt6-translations-l10n fonts-noto-cjk"
MORVELIN_TEST_PACKAGES="$MORVELIN_RUN_PACKAGES libgtest-dev poppler-utils cups-daemon cups-client cups-filters"

morvelin_apt_install() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}
