PRINT "say ""hi""", """x", "open
#1/2/2000# #open
a<>b a<=b a>=b a=<b a>>b
