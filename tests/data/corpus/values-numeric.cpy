       01  REC.
           05  N1              PIC S9(3)V99 VALUE -12.5.
           05  N2              PIC 9(3) VALUE 7.
           05  N3              PIC S9(5) COMP-3 VALUE 12345.
           05  N4              PIC 9V999 VALUE .125.
