       01  SHARED-AREA         IS EXTERNAL.
           05  SH-COUNT        PIC 9(4).
           05  SH-NAME         PIC X(12).
       01  PROG-AREA           GLOBAL.
           05  PG-FLAG         PIC X.
