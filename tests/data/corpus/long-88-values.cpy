       01  STATE-REC.
           05  STATE-CODE      PIC X(2).
               88  VALID-STATE VALUES
                   'AA' 'AB' 'AC' 'AD' 'AE' 'AF' 'AG' 'AH' 'AI' 'AJ'
                   'AK' 'AL' 'AM' 'AN' 'AO' 'AP' 'AQ' 'AR' 'AS' 'AT'
                   'AU' 'AV' 'AW' 'AX' 'AY' 'AZ' 'BA' 'BB' 'BC' 'BD'
                   'BE' 'BF' 'BG' 'BH' 'BI' 'BJ' 'BK' 'BL' 'BM' 'BN'
                   'BO' 'BP' 'BQ' 'BR' 'BS' 'BT' 'BU' 'BV' 'BW' 'BX'
                   'BY' 'BZ' 'CA' 'CB' 'CC' 'CD' 'CE' 'CF' 'CG' 'CH'
                   'WS' 'WT' 'WU' 'WV' 'WW' 'WX' 'WY' 'WZ' 'XA' 'XB'.
           05  STATE-NAME      PIC X(20).
