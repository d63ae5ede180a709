       01  EMP-REC.
           05  EMP-ID          PIC 9(6).
           05  EMP-NAME.
               10  FIRST-NAME  PIC X(10).
               10  LAST-NAME   PIC X(15).
           05  EMP-DEPT        PIC X(4).
       66  EMP-FULL-NAME RENAMES EMP-NAME.
       66  EMP-ID-NAME RENAMES EMP-ID THRU LAST-NAME.
       66  EMP-TAIL RENAMES LAST-NAME THROUGH EMP-DEPT.
