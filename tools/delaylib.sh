#!/bin/sh
# Makes a delay-loading import library from the toolchain's ordinary one: the
# same functions of the same DLL, which then loads at the first call.
#   delaylib.sh NM DLLTOOL IMPORT-LIBRARY DLL-NAME OUTPUT
set -e
nm=$1 dlltool=$2 lib=$3 dll=$4 out=$5
def=${out%.a}.def
mkdir -p "$(dirname "$out")"
{
  echo "LIBRARY $dll"
  echo "EXPORTS"
  "$nm" -g --defined-only "$lib" | awk '$2 == "I" && $3 ~ /^__imp_/ { sub(/^__imp_/, "", $3); print $3 }' | sort -u
} > "$def"
"$dlltool" --input-def "$def" --output-delaylib "$out" --dllname "$dll"
