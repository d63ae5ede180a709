           05  OUTER-GRP.
               COPY NESTED-INNER.
           05  OUTER-TAIL      PIC X(2).
