       01  CUST-KEYS.
           COPY CUSTKEY OF CUSTLIB.
           05  KEY-TAG         PIC X.
