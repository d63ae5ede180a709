       01  REC.
           05  C1              BINARY-CHAR.
           05  C2              BINARY-CHAR SIGNED.
           05  C3              BINARY-CHAR UNSIGNED.
           05  C4              USAGE IS BINARY-CHAR UNSIGNED.
