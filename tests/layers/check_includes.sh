#!/usr/bin/env bash
# The include rule of the program's layers: every file under src/ may include only headers of
# the layers its own layer builds on (see src/CMakeLists.txt), and only the back ends include
# their system's headers. Prints every include that crosses the rule and fails if there is
# one. Usage: check_includes.sh [source root, default: the project's src/]
set -euo pipefail
src="${1:-$(dirname "$(realpath "$0")")/../../src}"
cd "$src"

# The platform's interface headers: what every layer may see of the platform.
interfaces='platform/[a-z_]+\.h'
software='platform/software/'
# The numbers of the program's resources (res/resource_ids.h): the shell's, and the
# programs' (a back end's main.cpp), never the platform's own.
ids='resource_ids\.h$'

# The quoted includes a file may have, as one extended regular expression per layer.
allowed_for() {
  case "$1" in
    game/* | records/*) echo "^(game/|records/|platform/(feedback|file_system)\.h$)" ;;
    gfx/*) echo "^(gfx/|game/|records/|$interfaces$)" ;;
    dialogs/*) echo "^(dialogs/|shell/|gfx/|game/|records/|$interfaces$)" ;;
    shell/*) echo "^(dialogs/|shell/|gfx/|game/|records/|$interfaces$|$ids)" ;;
    platform/headless/*) echo "^(platform/headless/|$software|$interfaces$)" ;;
    platform/widgets/*) echo "^(platform/widgets/|$software|$interfaces$)" ;;
    platform/gbk/*) echo "^(platform/gbk/)" ;;
    # A back end's main.cpp is its program: it also starts the shell's main window, and the
    # back ends that draw their own windows get the program's resource tables (res/tables.h).
    platform/sdl/main.cpp)
      echo "^(shell/|res/tables\.h$|platform/(sdl|widgets|gbk)/|$software|$interfaces$|$ids)" ;;
    platform/sdl/*) echo "^(platform/(sdl|widgets|gbk)/|$software|$interfaces$)" ;;
    platform/win32/main.cpp) echo "^(shell/|platform/win32/|$software|$interfaces$|$ids)" ;;
    platform/win32/*) echo "^(platform/win32/|$software|$interfaces$)" ;;
    # The page's program also names the record file, which it keeps in the page's storage.
    platform/web/main.cpp)
      echo "^(shell/|res/tables\.h$|records/record_file\.h$|platform/(web|widgets)/|$software|$interfaces$|$ids)" ;;
    platform/web/*) echo "^(platform/(web|widgets)/|$software|$interfaces$)" ;;
    platform/software/* | platform/*) echo "^($software|$interfaces$)" ;;
    *) echo "^$" ;;  # a folder without a layer: nothing is allowed until it gets one
  esac
}

# The system headers that only one back end may include.
forbidden_system_for() {
  local forbidden=()
  case "$1" in platform/sdl/*) ;; *) forbidden+=('SDL[^/]*\.h' 'X11/') ;; esac
  case "$1" in platform/win32/*) ;; *) forbidden+=('windows\.h' 'win[a-z]*\.h' 'commctrl\.h') ;; esac
  case "$1" in platform/web/*) ;; *) forbidden+=('emscripten') ;; esac
  case "$1" in platform/gbk/*) ;; *) forbidden+=('iconv\.h') ;; esac
  local IFS='|'
  echo "^<(${forbidden[*]})"
}

violations=0
while IFS= read -r file; do
  allowed="$(allowed_for "$file")"
  forbidden="$(forbidden_system_for "$file")"
  while IFS= read -r line; do
    header="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+//' <<< "$line")"
    case "$header" in
      \"*)
        name="${header#\"}"
        name="${name%%\"*}"
        if ! [[ "$name" =~ $allowed ]]; then
          echo "$file: includes \"$name\", which its layer may not use"
          violations=$((violations + 1))
        fi
        ;;
      \<*)
        if [[ "$header" =~ $forbidden ]]; then
          echo "$file: includes $header, which only its own back end may include"
          violations=$((violations + 1))
        fi
        ;;
    esac
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

if [ "$violations" -ne 0 ]; then
  echo "$violations include(s) cross the layers' rule"
  exit 1
fi
echo "every include keeps to its layer"
