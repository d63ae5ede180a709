       01  CONT-REC.
           05  CONT-MSG        PIC X(70) VALUE "THIS MESSAGE IS LONGER THAN
      -    " ONE LINE OF THE FIXED FORMAT AND GOES ON HERE".
           05  CONT-CODE       PIC X(3) VALUE 'A
      -    'BC'.
