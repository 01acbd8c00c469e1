REM Print a table of squares and cubes, using a subroutine for each row.
PRINT "N", "N*N", "N*N*N"
FOR N = 1 TO 10
GOSUB 100
NEXT
END
100 S = N * N
C = S * N
PRINT N, S, C
RETURN
