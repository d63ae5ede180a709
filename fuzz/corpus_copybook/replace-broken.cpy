       REPLACE =TAG:-REC.
      REC.
         .
