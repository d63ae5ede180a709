           05  WS-CODE         PIC X(4).
           05  WS-AMOUNT       PIC 9(5).
           05  WS-NAME-OLD     PIC X(10).
