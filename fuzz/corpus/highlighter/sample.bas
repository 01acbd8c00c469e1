' Syntax highlighting
Function PrintNumber
  Dim Number
  For I = 0 To Number
    X = X + &h4c
  Next
End Function