       01  SUPPLIER.
           05  SUP-NAME        PIC X(30).
           COPY "ADDRESS.cpy".
