#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# mosgrid-solve beside two public nonogram solvers, on puzzle sets generated with fixed seeds.
#
#   bench/peers.sh PBNSOLVE-SRC PICROSS-SRC ARGAGG-GIT PNM-GIT [WORK [MOSGRID-SOLVE]]
#
# PBNSOLVE-SRC   the source folder of pbnsolve 1.10 (github.com/avi-levy/pbnsolve)
# PICROSS-SRC    the source folder of picross-solver 0.3.1 (github.com/pierre-dejoue/picross-solver)
# ARGAGG-GIT, PNM-GIT
#                git repositories (a clone or a bare mirror) of the two header-only libraries
#                picross-solver's configure step downloads (github.com/vietjtnguyen/argagg and
#                github.com/ToruNiina/pnm); they must hold the commits it pins. The configure
#                step is pointed at them, so nothing is downloaded.
# WORK           where the peers are built and the sets written (default /tmp/mosgrid-peers);
#                nothing of the peers ever enters this repository
# MOSGRID-SOLVE  default build/mosgrid-solve
#
# Every tool runs one process at a time under a processor-time limit (RLIMIT_CPU, set on the
# started process; PEERS_LIMIT seconds, default 20), on --max 2 (uniqueness: pbnsolve -u, picross-solver
# --max-nb-solutions 2); then mosgrid-solve and picross-solver count to PEERS_COUNT solutions
# (default 100; 0 leaves the table out; ours with --print, so the first ones in lexicographic
# order), ours under PEERS_COUNT_LIMIT seconds (default 60).
# mosgrid-solve runs with --threads PEERS_THREADS (default 1, so that the processor times compare
# like with like). The peers' results are kept in WORK/sets/peer-results.json: a second run (after
# a change of mosgrid-solve) only runs mosgrid-solve again. PEERS_SPEEDUP=N ends with the elapsed
# time of our runs over a second with N threads against one (on an otherwise idle machine).
# PEERS_SCALE (default 1) takes that share of the random and colour sets (40 random 25 x 25 at
# 0.42, 40 30 x 30 at 0.5, 20 50 x 50 at 0.6, 8 colour pictures, 20 hard puzzles of one
# solution); n-Dom 3..10 always whole. The tables are printed at the end with the targets.
set -eu
[ $# -ge 4 ] || { sed -n '2,29p' "$0"; exit 2; }
pbn_src=$(cd "$1" && pwd)
picross_src=$(cd "$2" && pwd)
argagg_git=$(cd "$3" && pwd)
pnm_git=$(cd "$4" && pwd)
work=${5:-/tmp/mosgrid-peers}
here=$(cd "$(dirname "$0")/.." && pwd)
mosgrid=$(realpath "${6:-$here/build/mosgrid-solve}")
mkdir -p "$work"

# pbnsolve: a copy of its sources, the object files it ships with removed (they are stale).
if [ ! -x "$work/pbnsolve/src/pbnsolve" ]; then
    rm -rf "$work/pbnsolve"
    cp -r "$pbn_src" "$work/pbnsolve"
    rm -f "$work/pbnsolve/src"/*.o "$work/pbnsolve/src/pbnsolve"
    make -C "$work/pbnsolve/src" >"$work/pbnsolve-build.log" 2>&1 || { cat "$work/pbnsolve-build.log"; exit 1; }
fi

# picross-solver: its command-line program; the two libraries come from the given repositories.
if [ ! -x "$work/picross/bin/picross_solver_cli" ]; then
    GIT_CONFIG_COUNT=2 \
    GIT_CONFIG_KEY_0="url.$argagg_git.insteadOf" GIT_CONFIG_VALUE_0=https://github.com/vietjtnguyen/argagg.git \
    GIT_CONFIG_KEY_1="url.$pnm_git.insteadOf" GIT_CONFIG_VALUE_1=https://github.com/ToruNiina/pnm.git \
        cmake -S "$picross_src" -B "$work/picross" -DCMAKE_BUILD_TYPE=Release -DPICROSS_BUILD_CLI=ON \
        >"$work/picross-build.log" 2>&1 || { cat "$work/picross-build.log"; exit 1; }
    cmake --build "$work/picross" -j2 --target picross_solver_cli >>"$work/picross-build.log" 2>&1 ||
        { cat "$work/picross-build.log"; exit 1; }
fi

exec python3 "$here/bench/peers.py" --mosgrid "$mosgrid" --pbnsolve "$work/pbnsolve/src/pbnsolve" \
    --picross "$work/picross/bin/picross_solver_cli" --work "$work/sets" \
    --limit "${PEERS_LIMIT:-20}" --threads "${PEERS_THREADS:-1}" --scale "${PEERS_SCALE:-1}" \
    --count "${PEERS_COUNT:-100}" --count-limit "${PEERS_COUNT_LIMIT:-60}" --speedup "${PEERS_SPEEDUP:-0}" \
    ${PEERS_ONLY:+--only "$PEERS_ONLY"}
