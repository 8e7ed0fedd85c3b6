#!/usr/bin/env bash
# The platform layer knows no game: no file under src/platform/ other than the back ends'
# main.cpp (the programs, which hand the window system the program's resources) names the
# program's title, its icon number, a dialog template number (1000 to 1004) or a control
# number (256, 257), nor the names the program gives them. A number counts where the line
# speaks of resources (an id, a dialog, a control, an item, an icon, a command or a button) or
# gives it to a constant, so that 256 as an array size or 1000 as milliseconds pass. Prints
# every such line and fails if there is one. Usage: check_platform_names.sh [source root]
set -euo pipefail
src="${1:-$(dirname "$(realpath "$0")")/../../src}"
cd "$src"

numbers='(100[0-4]|25[67]|3000)'
resource_words='((^|[^A-Za-z])[iI][dD]s?([^A-Za-z]|$)|[a-z]Id([^A-Za-z]|$)|_id([^A-Za-z]|$)|[Tt]emplate|[Dd]ialog|[Cc]ontrol|[Ii]tem|[Ii]con|[Cc]ommand|[Bb]utton)'
constant="k[A-Z][A-Za-z0-9]* *= *$numbers *[,;}]"
names='Color rolvi|(^|[^A-Za-z0-9_])(DialogTemplate|kNameEditId|kButtonId|kIconId|kProgramTitle)([^A-Za-z0-9_]|$)'

violations=0
while IFS= read -r file; do
  while IFS= read -r hit; do
    line="${hit#*:}"
    if [[ "$line" =~ $names ]] ||
       { [[ "$line" =~ (^|[^0-9.])$numbers([^0-9]|$) ]] &&
         { [[ "$line" =~ $resource_words ]] || [[ "$line" =~ $constant ]]; }; }; then
      echo "$file:${hit%%:*}: names the program's resources: ${line#"${line%%[![:space:]]*}"}"
      violations=$((violations + 1))
    fi
  done < <(grep -nE "$numbers|$names" "$file" || true)
done < <(find platform -name '*.h' -o -name '*.cpp' | grep -v '/main\.cpp$' | sort)

if [ "$violations" -ne 0 ]; then
  echo "$violations line(s) of src/platform/ name the program's resources"
  exit 1
fi
echo "src/platform/ names none of the program's resources"
