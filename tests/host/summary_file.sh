# Sourced by the host tests: values of the binary summary file summaryb.dat,
# and the figures the stand-in host prints after a call.

# summary_row FILE ROW COLUMN: SUMARY(ROW, COLUMN). The file keeps rows 1-48
# of columns 1-18 from byte 2526 (after the header, the run words, the flags
# and the chart tables), then rows 49-72, the 18 extra values, rows 73-80.
summary_row() {
  if [ "$2" -le 48 ]; then
    offset=$((2526 + 4 * (($3 - 1) * 48 + $2 - 1)))
  elif [ "$2" -le 72 ]; then
    offset=$((2526 + 18 * 48 * 4 + 4 * (($3 - 1) * 24 + $2 - 49)))
  else
    offset=$((2526 + 18 * 72 * 4 + 72 + 4 * (($3 - 1) * 8 + $2 - 73)))
  fi
  od -A n -t f4 -j "$offset" -N 4 "$1" | tr -d ' '
}

# selected_scheme FILE: the scheme the summary file selects.
selected_scheme() { od -A n -t d4 -j 12 -N 4 "$1" | tr -d ' '; }

# printed_row ROW: the figure printed for a summary row, "... (row ROW): V unit".
printed_row() { sed -n "s/.*(row $1): \([-0-9.]*\).*/\1/p" | head -n 1; }

# same_to_the_cent A B: the two figures agree as printed with two decimals.
same_to_the_cent() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; exit !(a != "" && d < 0.00501 && d > -0.00501) }'; }
