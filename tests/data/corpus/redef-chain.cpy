       01  REC.
           05  AMOUNT          PIC 9(7)V99.
           05  AMOUNT-X REDEFINES AMOUNT PIC X(9).
           05  AMOUNT-P REDEFINES AMOUNT.
               10  AMT-HI      PIC 9(4).
               10  AMT-LO      PIC 9(5).
           05  REST            PIC X(3).
