       78  NAME-LEN            VALUE 30.
       78  CODE-LEN            VALUE 4.
       01  CUST.
           05  CUST-NAME       PIC X(NAME-LEN).
           05  CUST-CODE       PIC 9(CODE-LEN).
