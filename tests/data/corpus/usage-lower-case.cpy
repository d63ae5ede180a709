       01  rec.
           05  c1              binary-char unsigned.
           05  s1              binary-short signed.
           05  l1              usage is binary-long.
           05  d1              binary-double.
           05  f1              float-short.
           05  f2              float-long.
           05  p1              program-pointer.
           05  x1              pic 9(4) comp-x.
           05  n1              pic 9(4) comp-n.
