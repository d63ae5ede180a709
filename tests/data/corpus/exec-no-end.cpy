       01  SQL-REC.
           05  SQL-A           PIC X.
           EXEC SQL DECLARE T TABLE ( A CHAR(1) ).
