REM Ask for two numbers and print their sum, difference and product.
INPUT "First number ", A
INPUT "Second number ", B
PRINT "Sum", A + B
PRINT "Difference", A - B
PRINT "Product", A * B
IF B = 0 THEN GOTO 10
PRINT "Quotient", A / B, "remainder", A % B
10 END
