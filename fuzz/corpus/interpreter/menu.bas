REM A key-press menu: 1 and 2 switch lamp 1, 3 shows the inputs, q quits.
10 PRINT "1 lamp on  2 lamp off  3 inputs  q quit"
20 INPUT "$", K
IF K = 10 THEN GOTO 20
IF K = 13 THEN GOTO 20
IF K = 49 THEN SETB 1
IF K = 50 THEN CLRB 1
IF K = 51 THEN GOSUB 100
IF K = 113 THEN GOTO 90
IF K = 81 THEN GOTO 90
GOTO 10
90 PRINT "Bye"
END
100 TSTB A, 1
TSTB B, 2
TSTB C, 3
TSTB D, 4
TSTB R, 126
PRINT "Inputs "; A; B; C; D; " RX "; R
RETURN
