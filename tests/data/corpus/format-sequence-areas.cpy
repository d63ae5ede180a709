000100 01  SEQ-REC.                                                     SEQ00001
000200     05  SEQ-A           PIC X(10).                               SEQ00002
000300     05  SEQ-B           PIC 9(05).                               SEQ00003
000400*    a comment with a sequence number                             SEQ00004
000500     05  SEQ-C           PIC X(03).                               SEQ00005
