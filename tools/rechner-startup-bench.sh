#!/usr/bin/env bash
# The CPU a whole start of the Gleisrechner costs, up to its first paint,
# against a bare QMainWindow of the same first size (torvelin-bare-mainwindow),
# both offscreen.
#
#   bash tools/rechner-startup-bench.sh [PAIRS]      (15 pairs by default)
#
# Each pair starts both programs one after the other, in alternating order;
# the user + system CPU time of each whole process (every thread) comes from
# the kernel (wait4). The Gleisrechner ends after its first paint because the
# benchmark sets TORVELIN_QUIT_AFTER_PAINT; it saves nothing then.
set -euo pipefail
cd "$(dirname "$0")/.."
pairs="${1:-15}"
dir=build-release
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTORVELIN_BUILD_TESTS=OFF -DTORVELIN_BUILD_BENCH=ON >/dev/null
cmake --build "$dir" --target torvelin-rechner torvelin-bare-mainwindow >/dev/null

python3 - "$pairs" "$dir/src/rechner/torvelin-rechner" "$dir/src/bench/torvelin-bare-mainwindow" <<'PY'
import os, shutil, statistics, sys, tempfile

pairs, rechner, bare = int(sys.argv[1]), sys.argv[2], sys.argv[3]
home = tempfile.mkdtemp(prefix="torvelin-rechner-startup-")
# A private home: no settings of the user's Qt, fontconfig or Gleisrechner
# reach either run, so the Gleisrechner starts with the built-in range.
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

# One unmeasured pair fills the caches (fontconfig's among them).
cpu_ms(rechner); cpu_ms(bare)
ours, bares = [], []
for i in range(pairs):
    order = [(rechner, ours), (bare, bares)]
    for program, into in (order if i % 2 == 0 else reversed(order)):
        into.append(cpu_ms(program))

ratios = [o / b for o, b in zip(ours, bares)]
print(f"{pairs} paired starts, QT_QPA_PLATFORM=offscreen, CPU = user + system of the whole process")
print(f"torvelin-rechner  median {statistics.median(ours):6.1f} ms  (min {min(ours):.1f}, max {max(ours):.1f})")
print(f"bare main window  median {statistics.median(bares):6.1f} ms  (min {min(bares):.1f}, max {max(bares):.1f})")
print(f"ratio of the medians {statistics.median(ours) / statistics.median(bares):.2f}, "
      f"median of the paired ratios {statistics.median(ratios):.2f}")
shutil.rmtree(home)
PY
