# Instructions per part against N, from the counted run (./dev bench --instructions): compose,
# teardown, placing children and loading wide files. A flat line is work linear in N.
# usage: gnuplot -e "results='build/bench/results'" bench/instructions.gp   (writes results/instructions.png)
if (!exists("results")) results = "build/bench/results"
set terminal pngcairo size 1000,680 font ",10"
set output results."/instructions.png"
# One colour per family (gnuplot's own eight would repeat).
colours = "#1f77b4 #ff7f0e #2ca02c #d62728 #9467bd #8c564b #e377c2 #7f7f7f #17becf #bcbd22"
do for [i=1:10] { set linetype i linecolor rgb word(colours, i) linewidth 1.5 pointtype i }
set logscale xy
set format y "%.0s %c"
set grid
set key below maxcols 3 spacing 1.2 height 2
set xlabel "N (parts, children or items per iteration)"
set ylabel "instructions per part (callgrind)"
set title "instructions per part against N (flat: linear in N)"
file = results."/instructions.dat"
set datafile columnheaders
stats file using 1 nooutput
plot for [i=0:STATS_blocks-1] file index i using 1:2 with linespoints pointsize 1.3 linetype i+1 title columnheader(1)
