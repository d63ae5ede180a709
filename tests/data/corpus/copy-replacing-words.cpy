       01  WORK-REC.
           COPY WSFIELDS REPLACING WS-CODE BY ITEM-CODE
                                   WS-AMOUNT BY ITEM-AMOUNT.
