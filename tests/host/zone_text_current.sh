#!/bin/sh
# The climate-zone text files of data/weather are exactly what the converter
# writes today from the sample EPW files of the same zones: regenerate them
# and compare, so that the two forms of one station never drift apart.
set -eu
tool=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# zone:EPW file of a sample station in that zone
for pair in 1:Arcata.epw 3:SFintlap.epw 9:LAburbnk.epw 12:Stockton.epw 15:Imperial.epw 16:Bishop.epw; do
  zone=${pair%%:*}
  epw=${pair#*:}
  "$tool" "$data/weather/$epw" "$work/zone$zone.txh"
  if ! cmp -s "$work/zone$zone.txh" "$data/weather/zone$zone.txh"; then
    echo "data/weather/zone$zone.txh differs from what the converter writes now; rerun:"
    echo "  epw-to-zone-text data/weather/$epw data/weather/zone$zone.txh"
    status=1
  fi
done
[ $status -eq 0 ] && echo ok
exit $status
