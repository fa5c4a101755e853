90024   LOS ANGELES WESTWOOD       1    0       9      34.07      10
91505   BURBANK                    1    0       9      34.20      10
92243   EL CENTRO                  1    0      15      32.83      15
93514   BISHOP                     1    0      16      37.37      16
94128   SAN FRANCISCO AIRPORT      2    0       3      37.62     -15
95206   STOCKTON                   3    0      12      37.90     -14
95521   ARCATA                     2    0       1      40.98     -16
