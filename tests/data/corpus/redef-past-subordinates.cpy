       01  REC.
           05  KEY-AREA.
               10  KEY-A       PIC X(4).
               10  KEY-B       PIC 9(4).
                   88  KEY-B-ZERO VALUE 0.
           05  KEY-NUM REDEFINES KEY-AREA PIC 9(8).
           05  TAIL            PIC X(2).
