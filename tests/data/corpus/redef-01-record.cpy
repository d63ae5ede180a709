      * screen map: the output map redefines the input map
       01  MAPI.
           05  FILLER          PIC X(12).
           05  CUSTL           PIC S9(4) COMP.
           05  CUSTF           PIC X.
           05  CUSTI           PIC X(8).
       01  MAPO REDEFINES MAPI.
           05  FILLER          PIC X(12).
           05  FILLER          PIC X(3).
           05  CUSTO           PIC X(8).
