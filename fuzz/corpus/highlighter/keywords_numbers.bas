IF H<11 THEN GOTO 200
x = 1.5e3 - 1e-5 + .5 &h4c
rem a comment
10rem x
remark = 1
