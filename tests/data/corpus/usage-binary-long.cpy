       01  REC.
           05  L1              BINARY-LONG.
           05  L2              BINARY-LONG UNSIGNED.
           05  L3              BINARY-LONG SIGNED VALUE 0.
