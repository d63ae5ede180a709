       01  REC.
           05  COUNTS          COMP-X.
               10  CNT-A       PIC 9(3).
               10  CNT-B       PIC 9(6).
           05  LONGS           BINARY-LONG.
               10  LONG-A.
               10  LONG-B.
