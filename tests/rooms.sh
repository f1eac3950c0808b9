#!/usr/bin/env bash
# The rooms under src/, bottom to top: a file may include headers of its own
# room and of rooms beneath it, never of a room above. main.cpp sits with the
# game on top. Level data stands alone: it never includes SDL or the game
# record. No room holds more than a fifth of the code, and no file more than
# 600 lines. Prints every fault and fails on any.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
rooms=(base platform levels media store field session replay screens menus editor game)

rank() {
  local i
  for i in "${!rooms[@]}"; do [[ ${rooms[$i]} == "$1" ]] && { echo "$i"; return; }; done
  echo -1
}

bad=0
cd "$src"
while IFS= read -r file; do
  room=${file%%/*}
  [[ $file == */* ]] || room=game
  own=$(rank "$room")
  if ((own < 0)); then
    echo "$file: the room '$room' is not in the order of rooms"
    bad=1
    continue
  fi
  while IFS=: read -r line header; do
    [[ $header == */* ]] || continue
    target=${header%%/*}
    theirs=$(rank "$target")
    if ((theirs < 0)); then
      echo "src/$file:$line: includes \"$header\" from '$target', which is not a room"
      bad=1
    elif ((theirs > own)); then
      echo "src/$file:$line: the $room room includes \"$header\" from the $target room above it"
      bad=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
  if [[ $room == levels ]] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL/|base/globals\.h|base/records\.h)' "$file"; then
    echo "src/$file: level data includes SDL or the game record"
    bad=1
  fi
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort)

total=$(cat $(find . -name '*.cpp' -o -name '*.h') | wc -l)
for room in "${rooms[@]}"; do
  lines=$(cat $(find "$room" -name '*.cpp' -o -name '*.h') | wc -l)
  if ((lines * 5 > total)); then
    echo "the $room room holds $lines of $total lines, more than a fifth"
    bad=1
  fi
done
while read -r lines file; do
  [[ $file == total ]] && continue
  if ((lines > 600)); then
    echo "src/$file: $lines lines, more than 600"
    bad=1
  fi
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | xargs wc -l)
((bad == 0)) && echo "every include keeps to the order: ${rooms[*]}; no room over a fifth, no file over 600 lines"
exit "$bad"
