       01  TAB-REC.
	   05  TAB-A	PIC X(4).
	   05	TAB-B	PIC 9(3).
