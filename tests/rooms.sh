#!/usr/bin/env bash
# The rooms under src/, bottom to top: a file may include headers of its own
# room and of rooms beneath it, never of a room above. main.cpp sits with the
# game on top. Prints every include against the order and fails on any.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
rooms=(base platform media store play replay screens game)

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
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort)
((bad == 0)) && echo "every include keeps to the order: ${rooms[*]}"
exit "$bad"
