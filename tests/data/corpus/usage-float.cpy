       01  REC.
           05  F1              FLOAT-SHORT.
           05  F2              FLOAT-LONG.
           05  F3              USAGE IS FLOAT-LONG.
