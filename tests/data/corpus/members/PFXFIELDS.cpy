           05  :PFX:-ID        PIC 9(6).
           05  :PFX:-NAME      PIC X(20).
           05  :PFX:-BAL       PIC S9(7)V99 COMP-3.
