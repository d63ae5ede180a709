       01  HOST-VARS.
           05  HV-NAME         PIC X(30).
           COPY ADDRESS.
