       01  REC.
           05  FP              FUNCTION-POINTER.
