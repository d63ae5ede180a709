       01  TWO-ACCOUNTS.
           03  FROM-ACCT.
           COPY PFXFIELDS REPLACING ==:PFX:== BY ==FROM==.
           03  TO-ACCT.
           COPY PFXFIELDS REPLACING ==:PFX:== BY ==TO==.
