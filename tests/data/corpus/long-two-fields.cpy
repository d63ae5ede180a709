       01  CODES.
           05  COLOUR          PIC X.
               88  WARM        VALUES
                   'a' 'b' 'c' 'd' 'e' 'f' 'g' 'h' 'i' 'j' 'k' 'l' 'm'
                   'n' 'o' 'p' 'q' 'r' 's' 't' 'u' 'v' 'w' 'x' 'y' 'z'
                   'A' 'B' 'C' 'D' 'E' 'F' 'G' 'H' 'I' 'J' 'K' 'L' 'M'
                   'N' 'O' 'P' 'Q' 'R' 'S' 'T' 'U' 'V' 'W' 'X' 'Y' 'Z'
                   '0' '1' '2' '3' '4' '5' '6' '7' '8' '9'.
               88  COOL        VALUES
                   'a' THRU 'a' 'b' THRU 'b' 'c' THRU 'c' 'd' THRU 'd'
                   'e' THRU 'e' 'f' THRU 'f' 'g' THRU 'g' 'h' THRU 'h'
                   'i' THRU 'i' 'j' THRU 'j' 'k' THRU 'k' 'l' THRU 'l'
                   'm' THRU 'm' 'n' THRU 'n' 'o' THRU 'o' 'p' THRU 'p'
                   'q' THRU 'q' 'r' THRU 'r' 's' THRU 's' 't' THRU 't'
                   'u' THRU 'u' 'v' THRU 'v' 'w' THRU 'w' 'x' THRU 'x'
                   'y' THRU 'y' 'z' THRU 'z' 'A' THRU 'A' 'B' THRU 'B'
                   'C' THRU 'C' 'D' THRU 'D' 'E' THRU 'E' 'F' THRU 'F'
                   'G' THRU 'G' 'H' THRU 'H' 'I' THRU 'I' 'J' THRU 'J'
                   'K' THRU 'K' 'L' THRU 'L' 'M' THRU 'M' 'N' THRU 'N'.
