FOR I = 5 TO 1
PRINT "never"
NEXT
IF 1 THEN X = 1
IF X = 1 THEN
PRINT averyveryveryveryveryveryveryveryveryveryveryveryverylongname12345
