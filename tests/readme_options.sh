#!/bin/bash
# The README's table of options names every option `rebounder --help` prints,
# and no option the program does not have.
# Usage: readme_options.sh GAME_DIR README
set -u
help=$(cd "$1" && ./rebounder --help) || { echo "rebounder --help failed"; exit 1; }
table=$(sed -n '/^Every option `rebounder --help` prints:/,/^$/p; /^| Option |/,/^$/p' "$2")
[ -n "$table" ] || { echo "the README has no table of options"; exit 1; }
printed=$(grep -oE -- '(^|[][ ,(])--?[a-z][a-z-]*' <<<"$help" | sed 's/^[][ ,(]*//' | sort -u)
listed=$(grep -oE -- '`--?[a-z][a-z-]*' <<<"$table" | tr -d '`' | sort -u)
status=0
for o in $printed; do grep -qx -- "$o" <<<"$listed" || { echo "the README does not list $o"; status=1; }; done
for o in $listed; do grep -qx -- "$o" <<<"$printed" || { echo "the README lists $o, which --help does not print"; status=1; }; done
[ $status = 0 ] && echo "the README lists all $(wc -l <<<"$printed") options of --help"
exit $status
