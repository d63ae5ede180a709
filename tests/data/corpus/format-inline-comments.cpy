       01  CMT-REC.                                   *> the record
           05  CMT-A           PIC X(4).              *> first field
      *    05  CMT-GONE        PIC X(9).
       >>D 05  CMT-DEBUG      PIC X(2).
           05  CMT-B           PIC 9(2).
