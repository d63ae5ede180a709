       01  REC.
           05  AMT-1           PIC S9(5) SIGN LEADING SEPARATE.
           05  AMT-2           PIC S9(5) SIGN IS TRAILING SEPARATE.
           05  AMT-3           PIC S9(3) LEADING.
           05  AMT-4           PIC S9(3) SIGN TRAILING.
