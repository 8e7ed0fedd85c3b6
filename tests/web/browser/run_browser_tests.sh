#!/usr/bin/env bash
# The browser page's tests: builds the page and its test build (scripts/web), installs
# puppeteer-core, axe-core and Lighthouse from the lock file into the build tree, and runs the
# tests with node's test runner against Debian's headless Chromium.
#   tests/web/browser/run_browser_tests.sh <replay> <autoplay> [--update-docs]
# Screenshots, the measured times, sizes and Lighthouse's scores go to build/browser-tests/shots
# (with --update-docs the page's picture is also copied to docs/web/).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
replay="$(realpath "$1")"
autoplay="$(realpath "$2")"
update_docs="${3:-}"
cd "$root"

scripts/install-deps chromium
command -v npm > /dev/null || scripts/install-deps npm
scripts/web --build-only --with-test-page

# The test packages as the lock file pins them, in the build tree; no browser is downloaded.
modules="build/browser-tests"
mkdir -p "$modules"
if ! cmp -s "$here/package-lock.json" "$modules/package-lock.json" ||
   [ ! -d "$modules/node_modules/puppeteer-core" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$modules/"
  (cd "$modules" && npm ci --no-audit --no-fund --ignore-scripts)
fi

rm -rf "$modules/shots"
ROLVI_PAGE_DIR="$root/build/web" \
ROLVI_TEST_PAGE_DIR="$root/build/web-wasm/test-page" \
ROLVI_REPLAY="$replay" ROLVI_AUTOPLAY="$autoplay" \
ROLVI_NODE_MODULES="$root/$modules/node_modules" \
ROLVI_BROWSER_SHOTS="$root/$modules/shots" \
  node --test --test-concurrency=1 "$here/page_test.mjs" "$here/ball_symbols_test.mjs" \
    "$here/offline_test.mjs" "$here/quality_test.mjs" "$here/keyboard_test.mjs" \
    "$here/touch_test.mjs" "$here/name_input_test.mjs" "$here/tabs_test.mjs" \
    "$here/language_test.mjs"

if [ "$update_docs" = "--update-docs" ]; then
  mkdir -p docs/web
  convert "$modules/shots/statistics.png" -strip -define png:compression-level=9 docs/web/page.png
  # The phone's pictures, taken at its three device pixels a point, at half that.
  for pair in play-iphone-13-portrait:phone-portrait play-iphone-13-landscape:phone-landscape \
              menu-iphone-13-portrait:phone-menu name-iphone-13-portrait:phone-name \
              play-ipad-mini-portrait:tablet-portrait; do
    convert "$modules/shots/${pair%%:*}.png" -resize 50% -strip -define png:compression-level=9 \
      "docs/web/${pair##*:}.png"
  done
  echo "docs/web/page.png and the phone's pictures updated"
fi
