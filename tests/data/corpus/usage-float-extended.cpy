       01  REC.
           05  E1              FLOAT-EXTENDED.
