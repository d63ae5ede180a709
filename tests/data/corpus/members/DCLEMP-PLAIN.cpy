       01  DCLEMP.
           10 EMPNO                PIC X(6).
           10 LASTNAME.
              49 LASTNAME-LEN      PIC S9(4) USAGE COMP.
              49 LASTNAME-TEXT     PIC X(15).
           10 SALARY               PIC S9(7)V9(2) USAGE COMP-3.
