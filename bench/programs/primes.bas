REM Count the primes up to 10000 by trial division, 20 times over; prints 1229.
FOR R = 1 TO 20
C = 0
FOR N = 2 TO 10000
D = 2
10 IF D * D > N THEN GOTO 30
IF N % D = 0 THEN GOTO 40
D = D + 1
GOTO 10
30 C = C + 1
40 NEXT
NEXT
PRINT C
END
