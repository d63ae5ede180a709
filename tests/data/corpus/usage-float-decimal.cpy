       01  REC.
           05  D16             FLOAT-DECIMAL-16.
           05  D34             FLOAT-DECIMAL-34.
           05  TAG             PIC X.
