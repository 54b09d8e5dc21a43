#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests offscreen,
# the translation server's tests, the X11, end-to-end and soak tests on a virtual
# desktop, the Wayland tests in headless Wayland sessions (sway with XWayland, and
# KWin), the GNOME tests in a headless GNOME Shell.
#   ./test.sh            everything
#   ./test.sh --asan     the same, built with AddressSanitizer and UBSan (in build-asan/)
#   ./test.sh --soak     the same with the long soak runs (short ones always run)
# Every run also fuzzes each fuzz target briefly (QLR_FUZZ_SECONDS, default 15; 0 skips).
#   ./test.sh --package  only the Debian package: build, lintian, install and one
#                        translation on a fresh Debian 12 root (root, minutes)
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = "--package" ]; then
    exec tests/package/fresh-system-test.sh
fi

cmake_args=()
# The desktop tests get a session bus of their own, as a desktop session has one: tests
# stand the desktop's services in on it. (Without any bus libdbus would fork to
# autolaunch one, which deadlocks a threaded ASan process.)
x11_wrapper=(dbus-run-session --)
for option in "$@"; do
    case "$option" in
    --soak) export QLR_SOAK_LONG=1 ;;
    --asan)
        export QLR_BUILD_DIR=build-asan
        cmake_args+=(-DQLR_SANITIZE=ON)
        # Qt and WebEngine leak at exit by design, so leak reports would be noise.
        # WebEngine's own allocator shim frees with mismatched sizes inside the
        # library, which ASan would report on every page load. A small quarantine
        # keeps freed blocks from reading as growth in the soaks' memory figures.
        export ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0:quarantine_size_mb=16
        export UBSAN_OPTIONS=print_stacktrace=1
        ;;
    *) echo "unknown option: $option" >&2; exit 2 ;;
    esac
done
build_dir=${QLR_BUILD_DIR:-build}

scripts/install-deps.sh
# Tests on explicitly: a build folder last configured by the benchmark has them off.
scripts/build.sh -DQLR_BUILD_TESTS=ON "${cmake_args[@]}"

status=0
(cd "$build_dir" && ctest -L unit --no-tests=error --output-on-failure --timeout 300) || status=1
# The real translation server through the program's launcher (no display).
(cd "$build_dir" && ctest -L server --no-tests=error --output-on-failure --timeout 300) || status=1
if [ "${QLR_FUZZ_SECONDS:-15}" != 0 ]; then
    fuzz/run.sh "${QLR_FUZZ_SECONDS:-15}" || status=1
fi
# On the virtual desktop: the X11 tests, the end-to-end tests and the soaks (which
# start their translation servers themselves). Long soaks run for up to an hour.
x11_timeout=600
[ -n "${QLR_SOAK_LONG:-}" ] && x11_timeout=3600
scripts/xdesktop.sh "${x11_wrapper[@]}" bash -c "cd '$build_dir' && ctest -L 'x11|e2e|soak' --no-tests=error --output-on-failure --timeout $x11_timeout" || status=1
# Each Wayland test starts its own compositor (scripts/waylanddesktop.sh, kwindesktop.sh).
dbus-run-session -- bash -c "cd '$build_dir' && ctest -L wayland --no-tests=error --output-on-failure --timeout 600" || status=1
# The GNOME tests start a headless GNOME Shell each (scripts/gnomedesktop.sh), with buses of their own.
(cd "$build_dir" && ctest -L gnome --no-tests=error --output-on-failure --timeout 600) || status=1

if [ $status -eq 0 ]; then
    echo "All test groups passed."
else
    echo "Some tests FAILED." >&2
fi
exit $status
