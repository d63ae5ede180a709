       01  REC.
           05  FLAG            PIC X.
           05  CNT             PIC S9(4) COMP SYNC.
           05  FLAG2           PIC X.
           05  BIG             PIC S9(9) COMP SYNCHRONIZED LEFT.
           05  PTR             POINTER SYNC.
