REM Blink lamp 1 five times, then report the inputs.
10 FOR I = 1 TO 5
SETB 1
DELAY 250
CLRB 1
DELAY 250
NEXT I
20 INPUT "Number", N
IF N<>0 THEN GOSUB 100 ' only when asked
IF N >= 10 THEN PRINT "big"; N ELSE PRINT "small"
ADC V
SCALE V, 5000, 4095
DAC V / 20
PRINT "ADC reading", V, "mV"
	TSTB A, 126
GOTO 20
100 PRINT "Inputs "; A; B
RETURN
END
