       01  CUSTOMER.
           05  CUST-NAME       PIC X(30).
           COPY ADDRESS.
