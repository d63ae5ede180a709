       01  REC.
           05  STATUS-CODE     PIC 99.
               88  OK-STATUS   VALUE 0.
               88  WARN-STATUS VALUES 1 THRU 9, 11 THROUGH 19.
               88  ERR-STATUS  VALUE IS 20 30 40.
           05  TYPE-CODE       PIC X.
               88  TYPE-VALID  VALUES ARE "A" "B" "C".
