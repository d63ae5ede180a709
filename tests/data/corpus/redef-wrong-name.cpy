       01  REC.
           05  A               PIC X(2).
           05  B               PIC X(2).
           05  C REDEFINES A   PIC X(2).
