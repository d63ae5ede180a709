       01  REC.
           05  SHORT-ONE       PIC X(2).
           05  LONG-ONE REDEFINES SHORT-ONE PIC X(10).
       01  REC-ALT REDEFINES REC.
           05  ALT-ALL         PIC X(2).
