       01  REC.
           05  H-TAB           PIC X VALUE X"09".
           05  H-PAIR          PIC X(2) VALUE X'0D0A'.
           05  N-NAME          PIC N(5) VALUE N"ABCDE".
           05  N-USAGE         PIC N(3) USAGE NATIONAL VALUE N'XYZ'.
           05  Q-TEXT          PIC X(8) VALUE 'IT''S OK'.
