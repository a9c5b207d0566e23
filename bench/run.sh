#!/usr/bin/env bash
# Benchmark: converts generated reports of 10k, 100k and 300k lines in batch mode and
# times it against the floor (the same cells written straight through libxlsxwriter,
# in constant-memory and in normal mode) and, where pandas is installed, against
# pandas.read_fwf + to_excel. Prints median wall time, time per 100k lines, the ratio
# to the faster floor, median CPU time, peak RSS and its ratio to the normal-mode
# floor's, then how the per-line time grows. The last table is also left in bench/out/results.txt.
#
# Environment: RUNS (timed runs per tool and size, default 3), SIZES (line counts,
# default "10000 100000 300000"), BUILD_DIR (default build-release), TOOLS (default
# "tabulizer floor-constant floor-normal pandas"), CHECK (1: after timing, check with
# compare.py that the converter and the floor wrote the same cells; default 1).
# Reports are generated only when missing: delete bench/out/report_* after changing
# generate.py.
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

# The converter reads its paths from the project; a copy of the project in this run's
# scratch folder reads the shared report and writes its workbook beside the copy.
stage_project() {  # stem -> path of the copy
    local ini=$WORK/$1.ini
    LC_ALL=C sed -e "s|^NameIn=.*\r\$|NameIn=$PWD/$OUT/$1.txt\r|" \
                 -e "s|^NameOut=.*\r\$|NameOut=$WORK/$1.xlsx\r|" "$OUT/$1.ini" >"$ini"
    echo "$ini"
}

command_for() {  # tool, stem -> the command line that converts that report
    local in=$OUT/$2 out=$WORK/$2
    case $1 in
        tabulizer)      echo "$BUILD_DIR/tabulizer $(stage_project "$2")" ;;
        floor-constant) echo "$OUT/floor constant $in.layout $in.txt $out.floor-constant.xlsx" ;;
        floor-normal)   echo "$OUT/floor normal $in.layout $in.txt $out.floor-normal.xlsx" ;;
        pandas)         echo "$PY bench/pandas_fwf.py $in.layout $in.txt $out.pandas.xlsx" ;;
    esac
}

# One timed run: prints "wall_s cpu_s rss_kb". Wall time is taken here (nanoseconds);
# CPU time (user + system) and peak memory ("Maximum resident set size") come from
# GNU time. CPU time is the steadier figure on a machine shared with other work.
time_once() {
    local log=$WORK/time.log start end
    start=$(date +%s%N)
    # shellcheck disable=SC2086
    if ! /usr/bin/time -v -o "$log" $1 >"$WORK/run.out" 2>&1; then
        echo "FAILED: $1" >&2
        cat "$WORK/run.out" >&2
        return 1
    fi
    end=$(date +%s%N)
    awk -v wall_ms=$(( (end - start) / 1000000 )) -F': ' '
        /User time/ { cpu += $2 } /System time/ { cpu += $2 }
        /Maximum resident set size/ { rss = $2 }
        END { printf "%.3f %.3f %d\n", wall_ms / 1000, cpu, rss }' "$log"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {  # tool, size -> appends "size tool median_wall median_cpu max_rss_kb" to results
    local tool=$1 size=$2 cmd walls=() cpus=() rss_max=0 w c r result
    cmd=$(command_for "$tool" "$(name_of "$size")")
    for (( i = 0; i < RUNS; i++ )); do
        result=$(time_once "$cmd") || exit 1
        read -r w c r <<<"$result"
        walls+=("$w")
        cpus+=("$c")
        if (( r > rss_max )); then rss_max=$r; fi
    done
    local wall cpu
    wall=$(printf '%s\n' "${walls[@]}" | median)
    cpu=$(printf '%s\n' "${cpus[@]}" | median)
    echo "$size $tool $wall $cpu $rss_max" >>"$RESULTS"
    echo "   $tool $size: wall ${walls[*]} s, cpu ${cpus[*]} s, peak $(( rss_max / 1024 )) MB" >&2
}

check_same_cells() {  # size: the converter and the floor must have written the same cells
    local stem
    stem=$WORK/$(name_of "$1")
    [[ $CHECK == 1 && -f $stem.xlsx && -f $stem.floor-normal.xlsx ]] || return 0
    $PY -c 'import openpyxl' 2>/dev/null || return 0
    echo "   $(name_of "$1"): $($PY bench/compare.py "$stem.xlsx" "$stem.floor-normal.xlsx")" >&2
    rm -f "$stem".*xlsx  # workbooks of this size are no longer needed
}

# For each size: median wall time, time per 100k lines, the ratio to the faster of the
# two floors (the goal is at most 1.2), CPU time, peak memory and its ratio to the peak
# of the normal-mode floor (the goal is at most 0.5).
print_table() {
    awk '
        { size[NR] = $1; tool[NR] = $2; sec[NR] = $3; cpu[NR] = $4; rss[NR] = $5
          if ($2 ~ /^floor-/ && (!($1 in fastest) || $3 < fastest[$1])) fastest[$1] = $3
          if ($2 == "floor-normal") normal_rss[$1] = $5 }
        END {
            printf "%-7s %-15s %9s %12s %10s %8s %8s %11s\n", "lines", "tool", "median s",
                   "s/100k lines", "x fastest", "cpu s", "peak MB", "peak x norm"
            for (i = 1; i <= NR; i++) {
                ratio = fastest[size[i]] > 0 ? sprintf("%.2f", sec[i] / fastest[size[i]]) : "-"
                mratio = normal_rss[size[i]] > 0 ? sprintf("%.2f", rss[i] / normal_rss[size[i]]) : "-"
                printf "%-7d %-15s %9.3f %12.3f %10s %8.2f %8.0f %11s\n", size[i], tool[i], sec[i],
                       sec[i] * 100000 / size[i], ratio, cpu[i], rss[i] / 1024, mratio
            }
        }' "$RESULTS"
}

print_linearity() {  # per-line time of the largest size over that of the smallest
    awk '
        { t = $2
          if (!(t in lo_n) || $1 < lo_n[t]) { lo[t] = $3 / $1; lo_c[t] = $4 / $1; lo_n[t] = $1 }
          if (!(t in hi_n) || $1 > hi_n[t]) { hi[t] = $3 / $1; hi_c[t] = $4 / $1; hi_n[t] = $1 } }
        END {
            print ""
            print "linearity: time per line at the largest size / at the smallest (1.00 = linear)"
            for (t in lo_n) if (hi_n[t] > lo_n[t])
                printf "  %-15s %dk vs %dk lines: wall %.2f, cpu %.2f\n", t, hi_n[t] / 1000,
                       lo_n[t] / 1000, hi[t] / lo[t], hi_c[t] / lo_c[t]
        }' "$RESULTS"
}

main() {
    need_time
    build
    generate
    # Scratch files of this run only: several runs may share bench/out.
    WORK=$(mktemp -d)
    trap 'rm -rf "$WORK"' EXIT
    RESULTS=$WORK/results.txt
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
    print_table | tee "$OUT/results.txt"
    print_linearity | tee -a "$OUT/results.txt"
}

main "$@"
