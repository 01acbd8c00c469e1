A
B
CD
