      * nothing but comments in this member
      * and a second one
