       01  NEST-REC.
           05  NEST-HEAD       PIC X(4).
           COPY NESTED-OUTER.
