       01  LOOP-REC.
           COPY LOOPING.
