           05  LOOP-A          PIC X.
           COPY LOOPING.
