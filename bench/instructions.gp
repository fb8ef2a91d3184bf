# Instructions per part against N, from the counted run (./dev bench --instructions): compose,
# teardown, placing children and loading wide files. A flat line is linear work.
# usage: gnuplot -e "results='build/bench/results'" bench/instructions.gp   (writes results/instructions.png)
if (!exists("results")) results = "build/bench/results"
set terminal pngcairo size 1000,560 font ",10"
set output results."/instructions.png"
set logscale xy
set format y "%.0s %c"
set grid
set key outside right top
set xlabel "N (parts, children or items per iteration)"
set ylabel "instructions per part (callgrind)"
set title "instructions per part against N"
file = results."/instructions.dat"
set datafile columnheaders
stats file using 1 nooutput
plot for [i=0:STATS_blocks-1] file index i using 1:2 with linespoints pointsize 1.2 title columnheader(1)
