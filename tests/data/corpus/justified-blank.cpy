       01  REC.
           05  NAME-R          PIC X(10) JUSTIFIED RIGHT.
           05  NAME-J          PIC X(5) JUST.
           05  AMT-E           PIC ZZZ9.99 BLANK WHEN ZERO.
           05  AMT-N           PIC 9(4) BLANK ZERO.
