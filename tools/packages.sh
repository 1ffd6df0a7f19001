# Debian packages Morvelin needs to build, run and test. Sourced by tools/run, tools/run-tests and tools/fuzz.
MORVELIN_RUN_PACKAGES="cmake g++ make qt6-base-dev qt6-translations-l10n fonts-noto-cjk"
# The fuzz targets (tools/fuzz): clang with libFuzzer and the sanitizers'
# runtimes; llvm for readable stack traces and the coverage report.
MORVELIN_FUZZ_PACKAGES="clang libclang-rt-14-dev llvm"
MORVELIN_TEST_PACKAGES="$MORVELIN_RUN_PACKAGES libgtest-dev poppler-utils cups-daemon cups-client cups-filters $MORVELIN_FUZZ_PACKAGES"

morvelin_apt_install() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}
