       01  REC.
           05  D1              BINARY-DOUBLE.
           05  D2              BINARY-DOUBLE UNSIGNED.
