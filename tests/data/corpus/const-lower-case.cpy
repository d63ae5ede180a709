       78  max-items           value 3.
       01  items-rec.
           05  item            pic x(5) occurs max-items.
