       01  REC.
           05  ITEM            PIC X(5) OCCURS MAX-UNKNOWN.
