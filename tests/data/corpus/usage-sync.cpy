       01  REC.
           05  TAG             PIC X.
           05  L1              BINARY-LONG SYNC.
           05  TAG2            PIC X.
           05  D1              BINARY-DOUBLE SYNCHRONIZED.
