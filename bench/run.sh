#!/usr/bin/env bash
# Benchmark: converts generated reports of 10k, 100k and 300k lines in batch mode and
# times it against the floor (the same cells written straight through libxlsxwriter,
# in constant-memory and in normal mode) and, where pandas is installed, against
# pandas.read_fwf + to_excel. Prints median wall time, time per 100k lines, the ratio
# to the constant-memory floor and peak RSS, then how the per-line time grows.
#
# Environment: RUNS (timed runs per tool and size, default 3), SIZES (line counts,
# default "10000 100000 300000"), BUILD_DIR (default build-release), TOOLS (default
# "tabulizer floor-constant floor-normal pandas"), CHECK (1: after timing, check with
# compare.py that the converter and the floor wrote the same cells; default 1).
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=${RUNS:-3}
SIZES=${SIZES:-"10000 100000 300000"}
BUILD_DIR=${BUILD_DIR:-build-release}
TOOLS=${TOOLS:-"tabulizer floor-constant floor-normal pandas"}
CHECK=${CHECK:-1}
OUT=bench/out
PY=/usr/bin/python3
mkdir -p "$OUT"

need_time() {
    [[ -x /usr/bin/time ]] && return
    if [[ $(id -u) -eq 0 ]]; then
        apt-get install -y time >/dev/null
    else
        sudo apt-get install -y time >/dev/null
    fi
}

build() {
    echo "== building $BUILD_DIR (Release) and the floor" >&2
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTABULIZER_BUILD_TESTS=OFF >/dev/null
    cmake --build "$BUILD_DIR" --target tabulizer >/dev/null
    # shellcheck disable=SC2046
    cc -O2 -Wall -Wextra -o "$OUT/floor" bench/floor.c $(pkg-config --cflags --libs xlsxwriter)
}

name_of() {  # line count -> file stem, as generate.py names it
    if (( $1 % 1000 == 0 )); then echo "report_$(( $1 / 1000 ))k"; else echo "report_$1"; fi
}

generate() {
    local missing=()
    for size in $SIZES; do
        [[ -f $OUT/$(name_of "$size").txt ]] || missing+=("$size")
    done
    if (( ${#missing[@]} )); then
        echo "== generating ${missing[*]}" >&2
        $PY bench/generate.py --out "$OUT" "${missing[@]}" >/dev/null
    fi
}

have_pandas() { $PY -c 'import pandas, openpyxl' 2>/dev/null; }

command_for() {  # tool, stem -> the command line that converts that report
    local stem=$OUT/$2
    case $1 in
        tabulizer)      echo "$BUILD_DIR/tabulizer $stem.ini" ;;
        floor-constant) echo "$OUT/floor constant $stem.layout $stem.txt $stem.floor-constant.xlsx" ;;
        floor-normal)   echo "$OUT/floor normal $stem.layout $stem.txt $stem.floor-normal.xlsx" ;;
        pandas)         echo "$PY bench/pandas_fwf.py $stem.layout $stem.txt $stem.pandas.xlsx" ;;
    esac
}

# One timed run: prints "seconds rss_kb". Wall time is taken here (nanoseconds);
# peak memory comes from GNU time's "Maximum resident set size".
time_once() {
    local log=$OUT/time.log start end
    start=$(date +%s%N)
    # shellcheck disable=SC2086
    if ! /usr/bin/time -v -o "$log" $1 >"$OUT/run.out" 2>&1; then
        echo "FAILED: $1" >&2
        cat "$OUT/run.out" >&2
        return 1
    fi
    end=$(date +%s%N)
    local rss
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log")
    echo "$(( (end - start) / 1000000 )) $rss" | awk '{ printf "%.3f %d\n", $1 / 1000, $2 }'
}

measure() {  # tool, size -> appends "size tool median_s max_rss_kb" to results
    local tool=$1 size=$2 cmd times=() rss_max=0 t r
    cmd=$(command_for "$tool" "$(name_of "$size")")
    for (( i = 0; i < RUNS; i++ )); do
        local result
        result=$(time_once "$cmd") || exit 1
        read -r t r <<<"$result"
        times+=("$t")
        if (( r > rss_max )); then rss_max=$r; fi
    done
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
    echo "$size $tool $median $rss_max" >>"$RESULTS"
    echo "   $tool $size: runs ${times[*]} s, median $median s, peak $(( rss_max / 1024 )) MB" >&2
}

check_same_cells() {  # size: the converter and the floor must have written the same cells
    local stem
    stem=$OUT/$(name_of "$1")
    [[ $CHECK == 1 && -f $stem.xlsx && -f $stem.floor-normal.xlsx ]] || return 0
    $PY -c 'import openpyxl' 2>/dev/null || return 0
    echo "   $(name_of "$1"): $($PY bench/compare.py "$stem.xlsx" "$stem.floor-normal.xlsx")" >&2
}

print_table() {
    awk '
        { size[NR] = $1; tool[NR] = $2; sec[NR] = $3; rss[NR] = $4
          if ($2 == "floor-constant") floor[$1] = $3 }
        END {
            printf "%-8s %-15s %10s %12s %10s %9s\n", "lines", "tool", "median s",
                   "s/100k lines", "x floor", "peak MB"
            for (i = 1; i <= NR; i++) {
                ratio = (size[i] in floor && floor[size[i]] > 0) ? sprintf("%.1f", sec[i] / floor[size[i]]) : "-"
                printf "%-8d %-15s %10.3f %12.3f %10s %9.0f\n", size[i], tool[i], sec[i],
                       sec[i] * 100000 / size[i], ratio, rss[i] / 1024
            }
        }' "$RESULTS"
}

print_linearity() {  # per-line time of the largest size over that of the smallest
    awk '
        { t = $2; per = $3 / $1
          if (!(t in lo) || $1 < lo_n[t]) { lo[t] = per; lo_n[t] = $1 }
          if (!(t in hi) || $1 > hi_n[t]) { hi[t] = per; hi_n[t] = $1 } }
        END {
            print ""
            print "linearity (time per line, largest size / smallest size; 1.0 = linear):"
            for (t in lo) if (hi_n[t] > lo_n[t])
                printf "  %-15s %dk vs %dk lines: %.2f\n", t, hi_n[t] / 1000, lo_n[t] / 1000, hi[t] / lo[t]
        }' "$RESULTS"
}

main() {
    need_time
    build
    generate
    RESULTS=$OUT/results.txt
    : >"$RESULTS"
    for size in $SIZES; do
        for tool in $TOOLS; do
            if [[ $tool == pandas ]] && ! have_pandas; then
                echo "   pandas: not importable by $PY, skipped" >&2
                continue
            fi
            measure "$tool" "$size"
        done
        check_same_cells "$size"
    done
    echo
    print_table
    print_linearity
}

main "$@"
