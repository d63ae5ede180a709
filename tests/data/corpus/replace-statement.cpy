       REPLACE ==:TAG:== BY ==ORD==.
       01  :TAG:-REC.
           05  :TAG:-NO        PIC 9(8).
           05  :TAG:-DATE      PIC X(10).
       REPLACE OFF.
       01  TAG-AFTER           PIC X.
