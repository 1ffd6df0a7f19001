# Debian packages Morvelin needs to build, run and test. Sourced by tools/run,
# tools/run-tests, tools/fuzz and tools/bench.
MORVELIN_RUN_PACKAGES="cmake g++ make qt6-base-dev qt6-translations-l10n fonts-noto-cjk"
# The fuzz targets (tools/fuzz): clang with libFuzzer and the sanitizers'
# runtimes; llvm for readable stack traces and the coverage report.
MORVELIN_FUZZ_PACKAGES="clang libclang-rt-14-dev llvm"
# locales: the sources from which tools/run-tests makes the Japanese locale its
# second pass runs under, where the machine has none; libc-l10n: the C
# library's messages in Japanese there, as the compiler and other tools then
# print them. dpkg-dev: dpkg-buildflags, for the build with Debian's flags.
# appstream, desktop-file-utils, man-db with groff-base: the tools that check
# the installed metainfo, desktop entry and manual pages.
MORVELIN_TEST_PACKAGES="$MORVELIN_RUN_PACKAGES libgtest-dev poppler-utils cups-daemon cups-client cups-filters locales libc-l10n dpkg-dev appstream desktop-file-utils man-db groff-base $MORVELIN_FUZZ_PACKAGES"

# Of the packages named, those not installed, one a line.
morvelin_missing_packages() {
    local p
    for p in "$@"; do
        LC_ALL=C dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q " installed$" || echo "$p"
    done
}

# Makes sure the packages named are installed: nothing is done when they all
# are. Root installs the missing ones; anyone else is told which to install
# and how, and the function fails.
morvelin_need_packages() {
    local missing
    missing="$(morvelin_missing_packages "$@" | tr '\n' ' ')"
    missing="${missing% }"
    [ -n "$missing" ] || return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing: $missing" >&2
        echo "Install them, then run this again:" >&2
        echo "    sudo apt-get install $missing" >&2
        return 1
    fi
    echo "Installing the missing Debian packages: $missing" >&2
    apt-get update -qq || return 1
    # shellcheck disable=SC2086 # one word a package
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}
