# Compose, teardown and native compose per view part, with Qt's loader beside them, and merge time
# against size, from the data files of plot_data.py.
# usage: gnuplot -e "results='build/bench/results'" bench/performance.gp   (writes results/performance.png)
if (!exists("results")) results = "build/bench/results"
set terminal pngcairo size 1000,420 font ",10"
set output results."/performance.png"
set multiplot layout 1,2
set logscale xy
set grid
set key top left
set autoscale y
set xlabel "view parts N"
set ylabel "us per view part"
set key top right
set yrange [0.5:300]
set title "a window of N view parts, per part"
plot results."/compose.dat" using 1:2 with linespoints title "compose (headless)", \
     "" using 1:3 with linespoints title "floor: parse + shape captions", \
     "" using 1:4 with linespoints title "teardown", \
     results."/native.dat" using 1:2 with points pointsize 2 title "native compose (Qt peers)", \
     "" using 1:3 with points pointsize 2 title "QUiLoader, as many widgets"
set ylabel "ms"
set key top left
set autoscale y
set xlabel "items n merged into a main toolbar of m = n items"
set title "merge n items into m (n = m)"
plot results."/merge.dat" using 1:2 with linespoints title "merge"
unset multiplot
