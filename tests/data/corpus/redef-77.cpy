       77  COUNTER-A           PIC 9(4).
       77  COUNTER-B           PIC X(8).
       01  TOTALS.
           05  T1              PIC 9(5).
       01  TOTALS-X REDEFINES TOTALS PIC X(5).
