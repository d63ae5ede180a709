       01  REC.
           05  X1              PIC 9(2) COMP-X.
           05  X2              PIC 9(3) COMP-X.
           05  X3              PIC 9(10) COMP-X.
           05  X4              PIC X(3) COMP-X.
           05  X5              PIC X COMP-X.
           05  X6              PIC S9(5) COMP-X.
