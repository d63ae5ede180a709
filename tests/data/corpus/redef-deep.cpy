       01  REC.
           05  G1.
               10  G2.
                   15  A       PIC X(3).
                   15  B       PIC X(3).
               10  G2-ALT REDEFINES G2.
                   15  AB      PIC X(6).
           05  G1-ALT REDEFINES G1 PIC X(6).
