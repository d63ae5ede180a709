       78  MAX-LINES           VALUE 20.
       01  ORDER-REC.
           05  LINE-COUNT      PIC 9(2).
           05  ORDER-LINE      OCCURS 1 TO MAX-LINES TIMES
                               DEPENDING ON LINE-COUNT.
               10  ITEM-NO     PIC X(8).
