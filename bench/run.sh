#!/bin/bash
# Runs the benchmarks and prints a table ending in a one-line summary.
#   run.sh ZARNIK BENCH_BUILD_DIR [ZARNIK_EXE]
# The browser site is measured too when ZARNIK_WEB_SITE names its folder;
# BENCH_BEFORE=SITE times another build of it in the same turns.
set -euo pipefail
zarnik=$(realpath "$1") dir=$(realpath "$2") exe=${3:-}
runs=${BENCH_RUNS:-15}

. "$(dirname "$0")/../tools/xsession.sh"
start_xvfb

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# Taken in turn, so that a slow moment of the machine hits both alike.
take() {  # take NAME SETTLE_MS COMMAND...
    local name=$1; shift
    "$dir/map_timer" "$@" >>"$tmp/$name"
}
for _ in $(seq "$runs"); do
    take floor 400 "$dir/floor_qt"
    take zarnik 400 "$zarnik"
    take lazy 400 "$dir/zarnik_lazy"
done
fm=$(field map_ms <"$tmp/floor" | median); zm=$(field map_ms <"$tmp/zarnik" | median)
lm=$(field map_ms <"$tmp/lazy" | median)
fr=$(field rss_kb <"$tmp/floor" | median); zr=$(field rss_kb <"$tmp/zarnik" | median)

start_ratio=$(awk -v a="$zm" -v b="$fm" 'BEGIN {printf "%.2f", a/b}')
mem_delta=$(awk -v a="$zr" -v b="$fr" 'BEGIN {printf "%.2f", (a-b)/1024}')
verdict() { awk -v v="$1" -v g="$2" 'BEGIN {print (v <= g) ? "met" : "MISSED"}'; }

printf '%-34s %12s %12s %10s %8s\n' "measure" "Zarnik" "floor" "result" "goal"
printf '%-34s %12s %12s %10s %8s\n' "start-up to mapped, median ms" "$zm" "$fm" "x$start_ratio" "$(verdict "$start_ratio" 1.10)"
printf '%-34s %12s %12s %10s %8s\n' "  the same, bound lazily" "$lm" "$fm" "x$(awk -v a="$lm" -v b="$fm" 'BEGIN {printf "%.2f", a/b}')" ""
printf '%-34s %12s %12s %10s %8s\n' "resident memory, median kB" "$zr" "$fr" "+${mem_delta}MB" "$(verdict "$mem_delta" 2)"

move_summary="move: n/a"
if [ -x "$dir/move_bench" ]; then
    out=$(QT_QPA_PLATFORM=offscreen "$dir/move_bench")
    p50=$(field p50_ms <<<"$out"); p99=$(field p99_ms <<<"$out")
    printf '%-34s %12s %12s %10s %8s\n' "click to repainted, p50 / p99 ms" "$p50 / $p99" "-" "" "$(verdict "$p99" 1)"
    move_summary="move p99 ${p99} ms"
fi
refresh=$("$dir/refresh_bench" --benchmark_format=csv 2>/dev/null | awk -F, '/^"RefreshPass"/ {printf "%.0f", $4}')
printf '%-34s %12s %12s %10s %8s\n' "refresh pass, null toolkit, ns" "$refresh" "-" "" ""

wine_summary=""
if [ -n "$exe" ] && [ -f "$exe" ]; then
    # Bytes of the resource section (pictures, icon, manifest, version) and
    # of everything else (code, data, imports, headers).
    split() {
        local rsrc
        rsrc=$(x86_64-w64-mingw32-objdump -h "$1" | awk '$2 == ".rsrc" {print $3}')
        rsrc=$((16#${rsrc:-0}))
        echo "$(stat -c %s "$1") $rsrc $(($(stat -c %s "$1") - rsrc))"
    }
    read -r size rsrc code < <(split "$exe")
    floor=$(dirname "$exe")/FloorWin32.exe
    read -r fsize frsrc fcode < <(split "$floor")
    start_wine "$dir/wineprefix"
    wine_runs=$(( runs < 7 ? runs : 7 ))
    for _ in $(seq "$wine_runs"); do
        take wfloor 300 "$(command -v "${wine_runtime[0]}")" "${wine_runtime[@]:1}" wine "$floor"
        take wzarnik 300 "$(command -v "${wine_runtime[0]}")" "${wine_runtime[@]:1}" wine "$exe"
    done
    wf=$(field map_ms <"$tmp/wfloor" | median); wz=$(field map_ms <"$tmp/wzarnik" | median)
    wratio=$(awk -v a="$wz" -v b="$wf" 'BEGIN {printf "%.2f", a/b}')
    printf '%-34s %12s %12s %10s %8s\n' "Zarnik.exe size, bytes" "$size" "$fsize" "" ""
    printf '%-34s %12s %12s %10s %8s\n' "  resources: pictures, icon, ..." "$rsrc" "$frsrc" "" ""
    printf '%-34s %12s %12s %10s %8s\n' "  code, data and headers" "$code" "$fcode" "" "$(verdict "$code" 65536)"
    printf '%-34s %12s %12s %10s %8s\n' "Wine start-up to mapped, median ms" "$wz" "$wf" "x$wratio" "$(verdict "$wratio" 1.10)"
    wine_summary=", exe $size bytes ($code of code), Wine start-up x$wratio"
fi
web_summary=""
if [ -n "${ZARNIK_WEB_SITE:-}" ]; then
    out=$(node "$(dirname "$0")/web/bench.mjs" "$ZARNIK_WEB_SITE" "$runs" chromium firefox webkit)
    bytes=$(field site_bytes <<<"$out") gzipped=$(field site_gzip_bytes <<<"$out")
    printf '%-34s %12s %12s %10s %8s\n' "web site, every file, bytes" "$bytes" "-" "" "$(verdict "$bytes" 122880)"
    printf '%-34s %12s %12s %10s %8s\n' "  the same, gzip -9" "$gzipped" "-" "" ""
    web_summary=", site $bytes bytes, web playable"
    for engine in chromium firefox webkit; do
        web_ms=$(field "${engine}_playable_ms" <<<"$out") web_floor=$(field "${engine}_floor_ms" <<<"$out")
        web_ratio=$(awk -v a="$web_ms" -v b="$web_floor" 'BEGIN {printf "%.2f", a/b}')
        printf '%-34s %12s %12s %10s %8s\n' "$engine nav. to playable, median ms" "$web_ms" "$web_floor" "x$web_ratio" "$(verdict "$web_ratio" 1.5)"
        web_summary+=" x$web_ratio ($engine)"
        before=$(field "${engine}_before_ms" <<<"$out")
        [ -z "$before" ] || printf '%-34s %12s %12s %10s %8s\n' "  the site in BENCH_BEFORE" "$before" "$web_floor" \
            "x$(awk -v a="$before" -v b="$web_floor" 'BEGIN {printf "%.2f", a/b}')" ""
    done
    out=$(node "$(dirname "$0")/web/lighthouse.mjs" "$ZARNIK_WEB_SITE")
    at_least() { awk -v v="$1" -v g="$2" 'BEGIN {print (v >= g) ? "met" : "MISSED"}'; }
    printf '%-34s %12s %12s %10s %8s\n' "Lighthouse mobile, LCP ms" "$(field lighthouse_lcp_ms <<<"$out")" "-" "" \
        "$(verdict "$(field lighthouse_lcp_ms <<<"$out")" 1500)"
    printf '%-34s %12s %12s %10s %8s\n' "  bytes loaded" "$(field lighthouse_bytes <<<"$out")" "-" "" ""
    for category in performance accessibility best_practices seo; do
        score=$(field "lighthouse_$category" <<<"$out")
        printf '%-34s %12s %12s %10s %8s\n' "  $category score" "$score" "-" "" "$(at_least "$score" "$([ $category = performance ] && echo 0.98 || echo 1)")"
        web_summary+=", $category $score"
    done
fi
echo "summary: start-up x$start_ratio of floor, memory +${mem_delta} MB, $move_summary$wine_summary$web_summary"
