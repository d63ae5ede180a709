       01  MATRIX.
           05  ROW-ENTRY       OCCURS 3 TIMES INDEXED BY RX.
               10  CELL        OCCURS 4 TIMES INDEXED BY CX.
                   15  CELL-VAL PIC S9(3)V9 COMP-3.
                   15  CELL-TAG PIC X.
