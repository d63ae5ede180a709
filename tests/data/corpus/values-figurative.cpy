       01  REC.
           05  F-SPACES        PIC X(4) VALUE SPACES.
           05  F-ZERO          PIC 9(4) VALUE ZERO.
           05  F-ZEROES        PIC 9(2) VALUE ZEROES.
           05  F-HIGH          PIC X(2) VALUE HIGH-VALUES.
           05  F-LOW           PIC X(2) VALUE LOW-VALUE.
           05  F-QUOTE         PIC X VALUE QUOTE.
           05  F-ALL           PIC X(6) VALUE ALL "-".
           05  F-ALL-Z         PIC X(3) VALUE ALL ZEROS.
