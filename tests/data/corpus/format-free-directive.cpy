      >>SOURCE FORMAT IS FREE
01 free-rec.
  05 free-name pic x(20). *> a name
  05 free-amount pic s9(5)v99 comp-3.
*> a whole-line comment
  05 free-flags.
     10 flag-a pic x value 'Y'.
>>SOURCE FORMAT IS FIXED
