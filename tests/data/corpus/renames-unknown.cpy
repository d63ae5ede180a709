       01  RN-REC.
           05  RN-A            PIC X(2).
       66  RN-ALIAS RENAMES RN-NONE.
