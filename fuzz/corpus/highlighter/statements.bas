10 PRINT "A=";A : GOTO 200 ' loop
