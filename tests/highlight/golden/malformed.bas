PRINT "unterminated
PRINT "a""b" + "" + """x"
d = #1/2/2000# + #open
x = 1e-5 + 1.5e3 + .5 + &h4c + 0x1F
A$ = B% ! C? @ [i] ~z | `q\r
IF a=<b OR a>>b OR a<>b OR a<=b THEN
remark rem1 REM the rest "is" comment
x = 'comment right away
printx print2 PRINT_ _print
propertya property zzzzzzzz
tab	herectl  Éÿ end
last line without break