      * MONTHLY STATEMENT: HEADER AND DETAIL LINE
       01  STATEMENT-HEADER.
           05  STMT-ACCOUNT            PIC X(12).
	   05  STMT-PERIOD.
	       10  STMT-FROM-DATE      PIC 9(8).
	       10  STMT-TO-DATE        PIC 9(8).
           05  STMT-OPENING-BAL        PIC S9(11)V99 COMP-3.
           05  STMT-CLOSING-BAL        PIC S9(11)V99 COMP-3.
           05  STMT-PAGE-COUNT         PIC 9(4) COMP-5.
           05  STMT-ADDRESS-LINES.
               10  STMT-ADDR-LINE      PIC X(40) OCCURS 5.
           05  STMT-SUMMARY OCCURS 4 TIMES.
               10  STMT-SUM-TYPE       PIC X.
               10  STMT-SUM-COUNT      PIC S9(7) COMP SYNC.
               10  STMT-SUM-AMOUNT     PIC S9(11)V99 COMP-3.
               10  STMT-SUM-DETAIL OCCURS 3 TIMES.
                   15  STMT-DET-CODE   PIC XX.
                   15  STMT-DET-AMT    PIC S9(4) COMP SYNC.
           05  STMT-MESSAGE            PIC X(80).
       66  STMT-DATES RENAMES STMT-FROM-DATE THRU STMT-TO-DATE.
       01  STATEMENT-LINE.
           05  LINE-DATE               PIC 9(8).
           05  LINE-DESCRIPTION        PIC X(40).
           05  LINE-AMOUNT             PIC S9(9)V99 COMP-3.
           05  LINE-AMOUNT-X REDEFINES LINE-AMOUNT PIC X(6).
           05  LINE-BALANCE            PIC S9(11)V99 LEADING SEPARATE.
           05  LINE-POINTER            USAGE POINTER SYNC.
           05  LINE-INDEX              USAGE INDEX SYNC.
           05  LINE-FLAGS              PIC X(3).
       77  STMT-LINE-COUNT             PIC S9(4) COMP VALUE ZERO.
       77  STMT-RATE                   COMP-2.
