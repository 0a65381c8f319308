#!/usr/bin/env bash
# Fails when a folder of src/ includes a header from a folder on its own level or above it, or
# when a folder of src/ has no level yet. Levels, lowest first (folders on one line are siblings
# and may not include each other):
#   text < host < http, settings < query < registry < ui < app, cli
# tools/ and tests/ sit outside the layers and may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A level=([text]=0 [host]=1 [http]=2 [settings]=2 [query]=3 [registry]=4 [ui]=5 [app]=6 [cli]=6)

status=0
for dir in src/*/; do
    folder=$(basename "$dir")
    if [[ -z "${level[$folder]+set}" ]]; then
        echo "src/$folder has no level in scripts/check-layers.sh" >&2
        status=1
        continue
    fi
    while IFS=: read -r file line included; do
        target=${included%%/*}
        [[ "$target" == "$folder" || -z "${level[$target]+set}" ]] && continue
        if ((level[$target] >= level[$folder])); then
            echo "$file:$line: src/$folder may not include $included" >&2
            status=1
        fi
    done < <(grep -rnoE '^#include "[a-z_]+/[^"]+"' "$dir" | sed -E 's/#include "(.*)"/\1/')
done
exit $status
