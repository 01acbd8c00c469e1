REM Blink lamp 1 every half second, ten times.
FOR N = 1 TO 10
SETB 1
DELAY 500
CLRB 1
DELAY 500
NEXT
PRINT "Done blinking"
END
