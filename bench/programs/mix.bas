REM Statement mix: 200,000 GOSUBs, each with an inner FOR, masked sums, a remainder and an IF.
S = 0
FOR K = 1 TO 10
FOR I = 1 TO 20000
GOSUB 100
NEXT
NEXT
PRINT S
END
100 FOR J = 1 TO 10
S = (S + J) & 255
NEXT
T = I % 3
IF T = 0 THEN S = S - 1
RETURN
