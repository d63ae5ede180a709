       01  low-rec.
           05  low-name        pic x(10) value spaces.
           05  low-amt         pic s9(4)v99 comp-3 value zero.
           05  low-tab         occurs 2 times indexed by low-ix.
               10  low-item    pic x(3).
           05  low-alt         redefines low-tab pic x(6).
