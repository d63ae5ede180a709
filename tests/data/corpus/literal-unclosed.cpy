       01  LIT-REC.
           05  LIT-A           PIC X(10) VALUE "NEVER CLOSED.
           05  LIT-B           PIC X.
