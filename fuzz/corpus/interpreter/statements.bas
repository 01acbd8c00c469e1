REM every statement once
A = 3 * (4 + -2) / 2 % 5 & 7 | 8
IF A > 2 THEN PRINT "big"; A, "x"
IF A <= 2 THEN GOTO 50
FOR I = 1 TO 3
FOR J = I TO 2
NEXT
NEXT
SETB 128
ADC B
CLRB 128
ADC C
DAC B + C
TSTB R, 126
TSTB D, 1
SCALE B, 3, 7
DELAY 10
INPUT "Value? ", V
INPUT "$", K
PRINT $K; V
STOP
50 GOSUB 60
END
60 RETURN
