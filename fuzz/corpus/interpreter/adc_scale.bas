REM Read the selected analog input (0..4095) and scale it to millivolts (0..5000).
REM SCALE keeps the 32-bit product, so 4095 * 5000 does not overflow.
ADC V
R = V
SCALE V, 5000, 4095
PRINT "ADC reading", R
PRINT "Millivolts", V
DAC V / 20
SETB 128
ADC W
PRINT "ADC2 reading", W
CLRB 128
END
