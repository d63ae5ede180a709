000100* CUSTOMER MASTER RECORD - ONE PER CUSTOMER, KEYED BY BRANCH/NUMBECUSTMAST
000200 01  CUSTOMER-RECORD.                                             CUSTMAST
000300     05  CUST-KEY.                                                CUSTMAST
000400         10  CUST-BRANCH         PIC 9(4).                        CUSTMAST
000500         10  CUST-NUMBER         PIC 9(8).                        CUSTMAST
000600     05  CUST-TYPE               PIC X.                           CUSTMAST
000700         88  CUST-PERSON         VALUE 'P'.                       CUSTMAST
000800         88  CUST-COMPANY        VALUE 'C'.                       CUSTMAST
000900         88  CUST-VALID-TYPE     VALUE 'P' 'C' 'G'.               CUSTMAST
001000     05  CUST-NAME.                                               CUSTMAST
001100         10  CUST-LAST-NAME      PIC X(30).                       CUSTMAST
001200         10  CUST-FIRST-NAME     PIC X(20).                       CUSTMAST
001300         10  CUST-INITIAL        PIC X.                           CUSTMAST
001400     05  CUST-COMPANY-NAME REDEFINES CUST-NAME                    CUSTMAST
001500                                 PIC X(51).                       CUSTMAST
001600     05  CUST-ADDRESS.                                            CUSTMAST
001700         10  CUST-STREET         PIC X(40) OCCURS 2 TIMES.        CUSTMAST
001800         10  CUST-CITY           PIC X(25).                       CUSTMAST
001900         10  CUST-STATE          PIC XX.                          CUSTMAST
002000         10  CUST-ZIP            PIC 9(5).                        CUSTMAST
002100         10  CUST-ZIP-PLUS4      PIC 9(4).                        CUSTMAST
002200     05  CUST-PHONE              PIC 9(10).                       CUSTMAST
002300     05  CUST-BIRTH-DATE.                                         CUSTMAST
002400         10  CUST-BIRTH-YYYY     PIC 9(4).                        CUSTMAST
002500         10  CUST-BIRTH-MM       PIC 99.                          CUSTMAST
002600         10  CUST-BIRTH-DD       PIC 99.                          CUSTMAST
002700     05  CUST-CREDIT-LIMIT       PIC S9(7)V99 COMP-3.             CUSTMAST
002800     05  CUST-BALANCE            PIC S9(7)V99                     CUSTMAST
002900                                 SIGN IS LEADING SEPARATE.        CUSTMAST
003000     05  CUST-STATUS             PIC X VALUE 'A'.                 CUSTMAST
003100         88  CUST-ACTIVE         VALUE 'A'.                       CUSTMAST
003200         88  CUST-CLOSED         VALUE 'C'.                       CUSTMAST
003300         88  CUST-DORMANT        VALUE 'D' THRU 'F'.              CUSTMAST
003400     05  CUST-REMARK PIC X(60) VALUE 'CREATED BY THE CONVERSION OFCUSTMAST
003500-          ' THE OLD MASTER FILE IN 1998'.                        CUSTMAST
003600     05  CUST-CONTACT-COUNT      PIC 9(2) COMP.                   CUSTMAST
003700     05  CUST-CONTACTS OCCURS 1 TO 5 TIMES                        CUSTMAST
003800             DEPENDING ON CUST-CONTACT-COUNT.                     CUSTMAST
003900         10  CONTACT-NAME        PIC X(30).                       CUSTMAST
004000         10  CONTACT-PHONE       PIC 9(10).                       CUSTMAST
004100 66  CUST-ID-AND-TYPE RENAMES CUST-BRANCH THRU CUST-TYPE.         CUSTMAST
