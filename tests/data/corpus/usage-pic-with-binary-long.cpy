       01  REC.
           05  BAD             PIC 9(4) BINARY-LONG.
