       01  LVL-REC.
           50  LVL-A           PIC X.
