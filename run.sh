#!/usr/bin/env bash
# Installs what is missing, builds, and starts the sandbox host on its
# embedded demo server. Without a display it takes the headless tour of
# every page into tour/. Arguments go to the sandbox.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

sandbox=build/sandbox/quorix-sandbox
plugin=build/libquorix-script-setup.so
if [ ! -x "$sandbox" ]; then
    cat <<TXT
The plug-in is built: $plugin
The sandbox host that loads it and serves the demo server is not part of this
build yet. Once it is, ./run.sh starts it here (or, with no display, writes a
picture of every page into tour/).
TXT
    exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ "$#" -eq 0 ]; then
    exec "$sandbox" --plugin "$plugin" --tour tour
fi
exec "$sandbox" --plugin "$plugin" "$@"
