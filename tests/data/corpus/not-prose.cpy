This member holds release notes, not COBOL.
It was copied into the copybook folder by mistake.
