REM Count down on the DAC; a "$" string makes the next value print as a character (42 is "*").
FOR T = 0 TO 9
C = 10 - T
DAC C
PRINT "T minus ", C, "$"; 42
DELAY 50
NEXT
PRINT "Lift off"
