       01  COL-REC.
           05  COL-A           PIC X(4).                                IGNORED
           05  COL-B           PIC X(12) VALUE "EDGE OF AREA".          XX
