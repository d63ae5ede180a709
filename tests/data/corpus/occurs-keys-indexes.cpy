       01  RATE-TABLE.
           05  RATE-ENTRY      OCCURS 25 TIMES
                               ASCENDING KEY IS RATE-CODE
                               DESCENDING RATE-AMT
                               INDEXED BY RATE-IX RATE-IX2.
               10  RATE-CODE   PIC X(3).
               10  RATE-AMT    PIC 9(3)V99.
           05  RATE-COUNT      PIC 9(2).
