       01  LINE-WIDTH          CONSTANT AS 80.
       01  PRINT-LINE.
           05  PL-TEXT         PIC X(LINE-WIDTH).
           05  PL-CC           PIC X.
