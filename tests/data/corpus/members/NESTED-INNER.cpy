               10  INNER-A     PIC X(3).
               10  INNER-B     PIC 9(3).
