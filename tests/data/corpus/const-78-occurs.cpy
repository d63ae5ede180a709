       78  MAX-ROWS            VALUE 12.
       01  TABLE-REC.
           05  ROW-COUNT       PIC 9(4).
           05  ROW             OCCURS MAX-ROWS TIMES.
               10  ROW-ID      PIC X(6).
