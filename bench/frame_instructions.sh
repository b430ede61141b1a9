#!/bin/sh
# Instructions executed per frame render by the saver's headless bench, the software
# rasteriser included, counted by callgrind. Unlike timings, the count hardly changes with the
# machine's load, so two builds can be compared on a busy or shared machine. llvmpipe is told
# to rasterise on the calling thread, so that all of a frame's work falls inside the frame
# render, the only function counted. The bench runs for FEW and for MANY frames of the same
# fixed-step flight; the first frames compile the renderer's shaders, so the difference
# divided by MANY - FEW is the steady cost of one frame. Mesa's shader cache is off, so that
# a shader compiled in one run is not merely loaded in the next.
# Usage: bench/frame_instructions.sh TARNEL_BINARY [FEW] [MANY] [DATA_PACKAGE]
set -eu
binary=$1
few=${2:-10}
many=${3:-30}
data=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the instructions of one bench run of $1 frames.
count() {
    LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true valgrind --tool=callgrind --toggle-collect='tarnel::renderFrame*' \
        --callgrind-out-file="$work/out.%p" "$binary" --bench --size 1024x768 \
        --frames "$1" ${data:+--data "$data"} >/dev/null 2>"$work/log"
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/log"
}

a=$(count "$few")
b=$(count "$many")
awk -v a="$a" -v b="$b" -v few="$few" -v many="$many" 'BEGIN {
    printf "%.1f M instructions per frame (%d frames: %.0f M, %d frames: %.0f M)\n",
        (b - a) / (many - few) / 1e6, few, a / 1e6, many, b / 1e6 }'
