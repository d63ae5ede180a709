       01  REC.
           05  N1              PIC 9(4) COMP-N.
           05  N2              PIC 9(5) COMPUTATIONAL-N.
           05  N3              PIC X(2) COMP-N.
