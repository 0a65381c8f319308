#!/usr/bin/env bash
# Makes docs/main-window.png: a finished demo run in the window program under a virtual X server.
# A copy of the program runs from a scratch folder with a prepared list in its settings file; the
# start button is clicked and the two messages (the demo notice, "查询完成！") are answered with
# Enter, as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/bin/yuchaling}
output=${2:-docs/main-window.png}
names=${NAMES:-40}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/yuchaling"
{
    printf '[主界面]\r\n按钮输入域名列表.标记='
    for ((i = 1; i <= names; i++)); do
        ((i > 1)) && printf '┊*┊'
        printf 'www.shop%d.com' "$((i * 3 + 1))"
    done
    printf '\r\n'
} | iconv -f UTF-8 -t GBK >"$scratch/翎杉·域查灵.ini"

output=$(realpath -m "$output")
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    set -euo pipefail
    '$scratch/yuchaling' --demo & pid=\$!
    sleep 3
    window=\$(xdotool search --sync --name '翎杉·域查灵 v1.0.3.0' | head -1)
    xdotool mousemove --window \"\$window\" 620 121 click 1
    sleep 1
    xdotool key Return      # the demo notice
    sleep 2
    xdotool key Return      # 查询完成！
    sleep 1
    import -window root -crop 760x640+40+40 '$output'
    kill -TERM \$pid
    wait \$pid
"
echo "wrote $output"
