       78  COMPANY             VALUE "ACME".
       01  COMPANY-NAME        CONSTANT AS "ACME LTD".
       01  REC.
           05  R-CODE          PIC X(4) VALUE COMPANY.
