REM Light the four output lamps in turn, ten times round.
FOR N = 1 TO 10
FOR L = 1 TO 4
SETB L
DELAY 100
CLRB L
NEXT
NEXT
PRINT "Done chasing"
END
