       01  REC.
           05  A               PIC X(2).
       78  WIDTH               VALUE 5.
           05  B               PIC X(WIDTH).
