       01  REC.
           05  ROW OCCURS 4 TIMES.
               10  R-ID        BINARY-SHORT UNSIGNED.
               10  R-VAL       FLOAT-LONG.
           05  FLAGS           BINARY-CHAR OCCURS 3.
