#!/usr/bin/env bash
# The CPU a whole start of one of the windows costs, up to its first paint,
# against a bare Qt window of the same first size, both offscreen:
#
#   bash tools/startup-bench.sh [PAIRS]            torvelin, 1024 x 740
#   bash tools/startup-bench.sh rechner [PAIRS]    torvelin-rechner, against
#                                                  a bare QMainWindow
#   bash tools/startup-bench.sh label [PAIRS]      the bare window with one
#                                                  label: what text alone costs
#
# (15 pairs by default). With TORVELIN_STARTUP_BEFORE=PROGRAM, an earlier
# build of the same program (e.g. another commit's build-release) starts in
# every round too, so that a change is measured head to head. Each round
# starts the programs one after the other, in alternating order; the user +
# system CPU time of each whole process (every thread) comes from the kernel
# (wait4). The program ends after its first paint because the benchmark sets
# TORVELIN_QUIT_AFTER_PAINT; it saves nothing then. A private home keeps the
# user's Qt, fontconfig and window settings out of every run.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build-release/src/app/torvelin
bare=build-release/src/bench/torvelin-bare-window
if [ "${1:-}" = rechner ]; then
    program=build-release/src/rechner/torvelin-rechner
    bare=build-release/src/bench/torvelin-bare-mainwindow
    shift
elif [ "${1:-}" = label ]; then
    program=build-release/src/bench/torvelin-bare-label
    shift
fi
pairs="${1:-15}"
TORVELIN_EXTRA_PACKAGES="libbenchmark-dev python3" bash tools/setup.sh run
TORVELIN_BUILD_DIR=build-release TORVELIN_BUILD_TYPE=Release \
    TORVELIN_BUILD_TARGET="$(basename "$program") $(basename "$bare")" bash tools/build.sh \
    -DTORVELIN_BUILD_TESTS=OFF -DTORVELIN_BUILD_BENCH=ON >/dev/null

python3 - "$pairs" "$program" "$bare" "${TORVELIN_STARTUP_BEFORE:-}" <<'PY'
import os, shutil, statistics, sys, tempfile

pairs, torvelin, bare, before = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
home = tempfile.mkdtemp(prefix="torvelin-startup-")
# A private home: no settings of the user's Qt or fontconfig reach either run.
env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": home,
       "QT_QPA_PLATFORM": "offscreen", "LANG": os.environ.get("LANG", "C.UTF-8"),
       "TORVELIN_QUIT_AFTER_PAINT": "1"}

def cpu_ms(program):
    null = os.open(os.devnull, os.O_WRONLY)
    pid = os.posix_spawn(program, [program], env,
                         file_actions=[(os.POSIX_SPAWN_DUP2, null, 1),
                                       (os.POSIX_SPAWN_DUP2, null, 2)])
    os.close(null)
    _, status, usage = os.wait4(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{program} ended with {os.waitstatus_to_exitcode(status)}")
    return (usage.ru_utime + usage.ru_stime) * 1000

# One unmeasured round fills the caches (fontconfig's among them).
ours, bares, befores = [], [], []
order = [(torvelin, ours), (bare, bares)] + ([(before, befores)] if before else [])
for program, _ in order:
    cpu_ms(program)
for i in range(pairs):
    for program, into in (order if i % 2 == 0 else reversed(order)):
        into.append(cpu_ms(program))

ratios = [o / b for o, b in zip(ours, bares)]
print(f"{pairs} paired starts, QT_QPA_PLATFORM=offscreen, CPU = user + system of the whole process")
print(f"{os.path.basename(torvelin):17} median {statistics.median(ours):6.1f} ms  (min {min(ours):.1f}, max {max(ours):.1f})")
print(f"{os.path.basename(bare):17} median {statistics.median(bares):6.1f} ms  (min {min(bares):.1f}, max {max(bares):.1f})")
print(f"ratio of the medians {statistics.median(ours) / statistics.median(bares):.2f}, "
      f"median of the paired ratios {statistics.median(ratios):.2f}")
if before:
    print(f"before: {before} median {statistics.median(befores):.1f} ms; "
          f"the change {statistics.median(ours) - statistics.median(befores):+.1f} ms")
shutil.rmtree(home)
PY
