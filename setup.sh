#!/usr/bin/env bash
# Installs what the project needs (Debian 12), builds it, and then either runs
# the program or runs the whole test suite.
#   ./setup.sh run    the local face service and the window
#   ./setup.sh test   every test, once normally and once under ASan+UBSan
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libcurl4-openssl-dev libssl-dev libfltk1.3-dev libjpeg-dev libpng-dev zlib1g-dev
  duktape-dev libgtest-dev libgmock-dev libbenchmark-dev
  libcpp-httplib-dev libbrotli-dev libsqlite3-dev libjsoncpp-dev
  xvfb xdotool x11-utils imagemagick fonts-wqy-zenhei fonts-arphic-uming
  ca-certificates curl openssl
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  command -v npm >/dev/null || missing+=(nodejs npm)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() {  # build-dir, extra cmake arguments...
  local dir=$1; shift
  "$ROOT/scripts/fetch-face-models.sh" "$ROOT/.cache/face-api"
  cmake -S "$ROOT" -B "$dir" -G Ninja -Wno-dev "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}

run_tests() {  # build-dir
  ctest --test-dir "$1" --output-on-failure --parallel "$(nproc)" --timeout 600
}

case "${1:-}" in
  run)
    install_packages
    configure_and_build "$ROOT/build"
    exec "$ROOT/scripts/run-app.sh" "$ROOT/build"
    ;;
  test)
    install_packages
    configure_and_build "$ROOT/build"
    run_tests "$ROOT/build"
    # The same suite again with the sanitizers; any report fails the run.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # Leaks that third-party libraries keep until exit (fontconfig under FLTK).
    export LSAN_OPTIONS=suppressions=$ROOT/tests/support/lsan-third-party.supp
    configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON
    run_tests "$ROOT/build-asan"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
