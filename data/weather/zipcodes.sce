    1   ARCATA                     2    0       1      40.98     -16
    2   SANTA ROSA                 2    0       2      38.51     -14
    3   OAKLAND                    2    0       3      37.72     -15
    4   SAN JOSE                   2    0       4      37.36     -15
    5   SANTA MARIA                1    0       5      34.90     -15
    6   TORRANCE                   1    0       6      33.80      10
    7   SAN DIEGO                  1    0       7      32.73       1
    8   FULLERTON                  1    0       8      33.87      10
    9   BURBANK                    1    0       9      34.20      10
   10   RIVERSIDE                  1    0      10      33.95      13
   11   RED BLUFF                  3    0      11      40.15     -14
   12   SACRAMENTO                 3    0      12      38.51      -1
   13   FRESNO                     3    0      13      36.78     -13
   14   PALMDALE                   1    0      14      34.63      14
   15   PALM SPRINGS               1    0      15      33.83      15
   16   BLUE CANYON                3    0      16      39.28     -16
90024   LOS ANGELES WESTWOOD       1    0       9      34.07      10
91505   BURBANK                    1    0       9      34.20      10
92243   EL CENTRO                  1    0      15      32.83      15
93514   BISHOP                     1    0      16      37.37      16
94128   SAN FRANCISCO AIRPORT      2    0       3      37.62     -15
95206   STOCKTON                   3    0      12      37.90     -14
95521   ARCATA                     2    0       1      40.98     -16
