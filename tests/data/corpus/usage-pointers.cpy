       01  REC.
           05  P1              POINTER.
           05  P2              PROGRAM-POINTER.
           05  P3              USAGE PROGRAM-POINTER.
