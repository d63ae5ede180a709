       01  REC.
           05  A.
               10  A1          PIC X(2).
           05  B REDEFINES A1  PIC X(2).
