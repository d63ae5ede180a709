       01  INVOICE.
           05  INV-NO          PIC X(8).
           05  LINE-CNT        PIC 9(3) COMP.
           05  INV-LINE        OCCURS 0 TO 50 TIMES
                               DEPENDING ON LINE-CNT.
               10  PART-NO     PIC X(10).
               10  QTY         PIC S9(5) COMP-3.
