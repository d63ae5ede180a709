      * account master: balances in packed decimal, counters aligned
       01  account-record.
           05  acct-number             pic x(12).
           05  acct-type               pic x(2).
               88  acct-checking       value 'CH'.
               88  acct-savings        value 'SV'.
               88  acct-loan           values are 'LN' 'ML'.
           05  acct-open-date          pic 9(8).
           05  acct-flags              pic x.
           05  acct-txn-count          pic s9(9) comp sync.
           05  acct-seq                pic 9(6) comp sync.
           05  acct-branch-id          pic s9(4) binary sync.
           05  acct-balances.
               10  acct-current-bal    pic s9(11)v99 comp-3.
               10  acct-available-bal  pic s9(11)v99 comp-3.
               10  acct-hold-amt       pic s9(9)v99 packed-decimal.
           05  acct-rate               comp-2 sync.
           05  acct-score              usage is comp-1.
           05  acct-monthly occurs 12 times indexed by acct-mx.
               10  acct-month-code     pic x.
               10  acct-month-total    pic s9(9)v99 comp-3.
               10  acct-month-count    pic s9(4) comp sync.
           05  acct-limits.
               10  acct-overdraft-limit pic 9(7)v99.
               10  acct-daily-limit    pic 9(7)v99.
           05  acct-limits-x redefines acct-limits pic x(18).
           05  acct-owner-count        pic 9 comp-5.
           05  acct-interest-days      pic s9(5) comp-5 sync.
           05  acct-last-statement     pic 9(8).
           05  filler                  pic x(20).
       66  acct-limits-all renames acct-overdraft-limit
                           thru acct-daily-limit.
