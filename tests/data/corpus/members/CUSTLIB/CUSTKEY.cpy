           05  CUST-KEY        PIC X(10).
           05  CUST-BRANCH     PIC 9(3).
