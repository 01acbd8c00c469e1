REM Nested loops: 300 x 10000 = 3,000,000 inner passes of an assignment with % and an IF.
FOR A = 1 TO 300
D = 0
FOR B = 1 TO 10000
C = B % 7
IF C = 0 THEN D = D + 1
NEXT
NEXT
PRINT D
END
