       01  REC.
           05  S1              BINARY-SHORT.
           05  S2              BINARY-SHORT SIGNED.
           05  S3              USAGE BINARY-SHORT UNSIGNED.
