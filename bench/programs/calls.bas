REM Written by make_calls.sh: 3000 passes over 20 subroutines of 100 lines.
S = 0
FOR K = 1 TO 3000
GOSUB 1
GOSUB 2
GOSUB 3
GOSUB 4
GOSUB 5
GOSUB 6
GOSUB 7
GOSUB 8
GOSUB 9
GOSUB 10
GOSUB 11
GOSUB 12
GOSUB 13
GOSUB 14
GOSUB 15
GOSUB 16
GOSUB 17
GOSUB 18
GOSUB 19
GOSUB 20
NEXT
PRINT S
END
1 IF S > 807 THEN S = S - 2
IF S < 814 THEN S = S + 3
T = (K * 13 + S) & 255
IF K % 7 = 6 THEN S = (S + 1) & 4095
IF S > 835 THEN S = S - 6
IF S < 842 THEN S = S + 7
IF K % 10 = 7 THEN GOSUB 23
IF K % 11 = 9 THEN S = (S + 5) & 4095
IF S > 863 THEN S = S - 10
IF S < 870 THEN S = S + 11
T = (K * 8 + S) & 255
IF K % 4 = 0 THEN S = (S + 9) & 4095
IF S > 891 THEN S = S - 14
IF S < 898 THEN S = S + 15
IF K % 7 = 3 THEN GOSUB 21
IF K % 8 = 4 THEN S = (S + 13) & 4095
IF S > 919 THEN S = S - 18
IF S < 926 THEN S = S + 19
T = (K * 3 + S) & 255
IF K % 12 = 0 THEN S = (S + 4) & 4095
IF S > 947 THEN S = S - 22
IF S < 954 THEN S = S + 23
IF K % 4 = 3 THEN GOSUB 24
IF K % 5 = 4 THEN S = (S + 8) & 4095
IF S > 975 THEN S = S - 26
IF S < 982 THEN S = S + 27
T = (K * 11 + S) & 255
IF K % 9 = 2 THEN S = (S + 12) & 4095
IF S > 1003 THEN S = S - 30
IF S < 1010 THEN S = S + 31
IF K % 12 = 11 THEN GOSUB 22
IF K % 2 = 0 THEN S = (S + 3) & 4095
IF S > 1031 THEN S = S - 34
IF S < 1038 THEN S = S + 35
T = (K * 6 + S) & 255
IF K % 6 = 4 THEN S = (S + 7) & 4095
IF S > 1059 THEN S = S - 38
IF S < 1066 THEN S = S + 39
IF K % 9 = 4 THEN GOSUB 25
IF K % 10 = 0 THEN S = (S + 11) & 4095
IF S > 1087 THEN S = S - 42
IF S < 1094 THEN S = S + 43
T = (K * 1 + S) & 255
IF K % 3 = 0 THEN S = (S + 2) & 4095
IF S > 1115 THEN S = S - 46
IF S < 1122 THEN S = S + 47
IF K % 6 = 3 THEN GOSUB 23
IF K % 7 = 1 THEN S = (S + 6) & 4095
IF S > 1143 THEN S = S - 50
IF S < 1150 THEN S = S + 1
T = (K * 9 + S) & 255
IF K % 11 = 9 THEN S = (S + 10) & 4095
IF S > 1171 THEN S = S - 4
IF S < 1178 THEN S = S + 5
IF K % 3 = 2 THEN GOSUB 21
IF K % 4 = 0 THEN S = (S + 1) & 4095
IF S > 1199 THEN S = S - 8
IF S < 1206 THEN S = S + 9
T = (K * 4 + S) & 255
IF K % 8 = 0 THEN S = (S + 5) & 4095
IF S > 1227 THEN S = S - 12
IF S < 1234 THEN S = S + 13
IF K % 11 = 9 THEN GOSUB 24
IF K % 12 = 8 THEN S = (S + 9) & 4095
IF S > 1255 THEN S = S - 16
IF S < 1262 THEN S = S + 17
T = (K * 12 + S) & 255
IF K % 5 = 3 THEN S = (S + 13) & 4095
IF S > 1283 THEN S = S - 20
IF S < 1290 THEN S = S + 21
IF K % 8 = 3 THEN GOSUB 22
IF K % 9 = 1 THEN S = (S + 4) & 4095
IF S > 1311 THEN S = S - 24
IF S < 1318 THEN S = S + 25
T = (K * 7 + S) & 255
IF K % 2 = 0 THEN S = (S + 8) & 4095
IF S > 1339 THEN S = S - 28
IF S < 1346 THEN S = S + 29
IF K % 5 = 4 THEN GOSUB 25
IF K % 6 = 0 THEN S = (S + 12) & 4095
IF S > 1367 THEN S = S - 32
IF S < 1374 THEN S = S + 33
T = (K * 2 + S) & 255
IF K % 10 = 4 THEN S = (S + 3) & 4095
IF S > 1395 THEN S = S - 36
IF S < 1402 THEN S = S + 37
IF K % 2 = 1 THEN GOSUB 23
IF K % 3 = 2 THEN S = (S + 7) & 4095
IF S > 1423 THEN S = S - 40
IF S < 1430 THEN S = S + 41
T = (K * 10 + S) & 255
IF K % 7 = 3 THEN S = (S + 11) & 4095
IF S > 1451 THEN S = S - 44
IF S < 1458 THEN S = S + 45
IF K % 10 = 5 THEN GOSUB 21
IF K % 11 = 9 THEN S = (S + 2) & 4095
IF S > 1479 THEN S = S - 48
IF S < 1486 THEN S = S + 49
T = (K * 5 + S) & 255
RETURN
2 IF S > 1507 THEN S = S - 2
IF S < 1514 THEN S = S + 3
IF K % 7 = 0 THEN GOSUB 24
IF K % 8 = 4 THEN S = (S + 10) & 4095
IF S > 1535 THEN S = S - 6
IF S < 1542 THEN S = S + 7
T = (K * 13 + S) & 255
IF K % 12 = 4 THEN S = (S + 1) & 4095
IF S > 1563 THEN S = S - 10
IF S < 1570 THEN S = S + 11
IF K % 4 = 3 THEN GOSUB 22
IF K % 5 = 2 THEN S = (S + 5) & 4095
IF S > 1591 THEN S = S - 14
IF S < 1598 THEN S = S + 15
T = (K * 8 + S) & 255
IF K % 9 = 0 THEN S = (S + 9) & 4095
IF S > 1619 THEN S = S - 18
IF S < 1626 THEN S = S + 19
IF K % 12 = 3 THEN GOSUB 25
IF K % 2 = 0 THEN S = (S + 13) & 4095
IF S > 1647 THEN S = S - 22
IF S < 1654 THEN S = S + 23
T = (K * 3 + S) & 255
IF K % 6 = 2 THEN S = (S + 4) & 4095
IF S > 1675 THEN S = S - 26
IF S < 1682 THEN S = S + 27
IF K % 9 = 2 THEN GOSUB 23
IF K % 10 = 8 THEN S = (S + 8) & 4095
IF S > 1703 THEN S = S - 30
IF S < 1710 THEN S = S + 31
T = (K * 11 + S) & 255
IF K % 3 = 1 THEN S = (S + 12) & 4095
IF S > 1731 THEN S = S - 34
IF S < 1738 THEN S = S + 35
IF K % 6 = 1 THEN GOSUB 21
IF K % 7 = 5 THEN S = (S + 3) & 4095
IF S > 1759 THEN S = S - 38
IF S < 1766 THEN S = S + 39
T = (K * 6 + S) & 255
IF K % 11 = 9 THEN S = (S + 7) & 4095
IF S > 1787 THEN S = S - 42
IF S < 1794 THEN S = S + 43
IF K % 3 = 0 THEN GOSUB 24
IF K % 4 = 0 THEN S = (S + 11) & 4095
IF S > 1815 THEN S = S - 46
IF S < 1822 THEN S = S + 47
T = (K * 1 + S) & 255
IF K % 8 = 0 THEN S = (S + 2) & 4095
IF S > 1843 THEN S = S - 50
IF S < 1850 THEN S = S + 1
IF K % 11 = 9 THEN GOSUB 22
IF K % 12 = 0 THEN S = (S + 6) & 4095
IF S > 1871 THEN S = S - 4
IF S < 1878 THEN S = S + 5
T = (K * 9 + S) & 255
IF K % 5 = 1 THEN S = (S + 10) & 4095
IF S > 1899 THEN S = S - 8
IF S < 1906 THEN S = S + 9
IF K % 8 = 3 THEN GOSUB 25
IF K % 9 = 8 THEN S = (S + 1) & 4095
IF S > 1927 THEN S = S - 12
IF S < 1934 THEN S = S + 13
T = (K * 4 + S) & 255
IF K % 2 = 0 THEN S = (S + 5) & 4095
IF S > 1955 THEN S = S - 16
IF S < 1962 THEN S = S + 17
IF K % 5 = 2 THEN GOSUB 23
IF K % 6 = 4 THEN S = (S + 9) & 4095
IF S > 1983 THEN S = S - 20
IF S < 1990 THEN S = S + 21
T = (K * 12 + S) & 255
IF K % 10 = 2 THEN S = (S + 13) & 4095
IF S > 2011 THEN S = S - 24
IF S < 2018 THEN S = S + 25
IF K % 2 = 1 THEN GOSUB 21
IF K % 3 = 0 THEN S = (S + 4) & 4095
IF S > 2039 THEN S = S - 28
IF S < 2046 THEN S = S + 29
T = (K * 7 + S) & 255
IF K % 7 = 0 THEN S = (S + 8) & 4095
IF S > 2067 THEN S = S - 32
IF S < 2074 THEN S = S + 33
IF K % 10 = 3 THEN GOSUB 24
IF K % 11 = 9 THEN S = (S + 12) & 4095
IF S > 2095 THEN S = S - 36
IF S < 2102 THEN S = S + 37
T = (K * 2 + S) & 255
IF K % 4 = 0 THEN S = (S + 3) & 4095
IF S > 2123 THEN S = S - 40
IF S < 2130 THEN S = S + 41
IF K % 7 = 4 THEN GOSUB 22
IF K % 8 = 4 THEN S = (S + 7) & 4095
IF S > 2151 THEN S = S - 44
IF S < 2158 THEN S = S + 45
T = (K * 10 + S) & 255
IF K % 12 = 8 THEN S = (S + 11) & 4095
IF S > 2179 THEN S = S - 48
IF S < 2186 THEN S = S + 49
IF K % 4 = 3 THEN GOSUB 25
RETURN
3 IF S > 2207 THEN S = S - 2
IF S < 2214 THEN S = S + 3
T = (K * 5 + S) & 255
IF K % 9 = 7 THEN S = (S + 6) & 4095
IF S > 2235 THEN S = S - 6
IF S < 2242 THEN S = S + 7
IF K % 12 = 7 THEN GOSUB 23
IF K % 2 = 0 THEN S = (S + 10) & 4095
IF S > 2263 THEN S = S - 10
IF S < 2270 THEN S = S + 11
T = (K * 13 + S) & 255
IF K % 6 = 0 THEN S = (S + 1) & 4095
IF S > 2291 THEN S = S - 14
IF S < 2298 THEN S = S + 15
IF K % 9 = 0 THEN GOSUB 21
IF K % 10 = 6 THEN S = (S + 5) & 4095
IF S > 2319 THEN S = S - 18
IF S < 2326 THEN S = S + 19
T = (K * 8 + S) & 255
IF K % 3 = 2 THEN S = (S + 9) & 4095
IF S > 2347 THEN S = S - 22
IF S < 2354 THEN S = S + 23
IF K % 6 = 5 THEN GOSUB 24
IF K % 7 = 2 THEN S = (S + 13) & 4095
IF S > 2375 THEN S = S - 26
IF S < 2382 THEN S = S + 27
T = (K * 3 + S) & 255
IF K % 11 = 9 THEN S = (S + 4) & 4095
IF S > 2403 THEN S = S - 30
IF S < 2410 THEN S = S + 31
IF K % 3 = 1 THEN GOSUB 22
IF K % 4 = 0 THEN S = (S + 8) & 4095
IF S > 2431 THEN S = S - 34
IF S < 2438 THEN S = S + 35
T = (K * 11 + S) & 255
IF K % 8 = 0 THEN S = (S + 12) & 4095
IF S > 2459 THEN S = S - 38
IF S < 2466 THEN S = S + 39
IF K % 11 = 9 THEN GOSUB 25
IF K % 12 = 4 THEN S = (S + 3) & 4095
IF S > 2487 THEN S = S - 42
IF S < 2494 THEN S = S + 43
T = (K * 6 + S) & 255
IF K % 5 = 4 THEN S = (S + 7) & 4095
IF S > 2515 THEN S = S - 46
IF S < 2522 THEN S = S + 47
IF K % 8 = 3 THEN GOSUB 23
IF K % 9 = 6 THEN S = (S + 11) & 4095
IF S > 2543 THEN S = S - 50
IF S < 2550 THEN S = S + 1
T = (K * 1 + S) & 255
IF K % 2 = 0 THEN S = (S + 2) & 4095
IF S > 2571 THEN S = S - 4
IF S < 2578 THEN S = S + 5
IF K % 5 = 0 THEN GOSUB 21
IF K % 6 = 2 THEN S = (S + 6) & 4095
IF S > 2599 THEN S = S - 8
IF S < 2606 THEN S = S + 9
T = (K * 9 + S) & 255
IF K % 10 = 0 THEN S = (S + 10) & 4095
IF S > 2627 THEN S = S - 12
IF S < 2634 THEN S = S + 13
IF K % 2 = 1 THEN GOSUB 24
IF K % 3 = 1 THEN S = (S + 1) & 4095
IF S > 2655 THEN S = S - 16
IF S < 2662 THEN S = S + 17
T = (K * 4 + S) & 255
IF K % 7 = 4 THEN S = (S + 5) & 4095
IF S > 2683 THEN S = S - 20
IF S < 2690 THEN S = S + 21
IF K % 10 = 1 THEN GOSUB 22
IF K % 11 = 9 THEN S = (S + 9) & 4095
IF S > 2711 THEN S = S - 24
IF S < 2718 THEN S = S + 25
T = (K * 12 + S) & 255
IF K % 4 = 0 THEN S = (S + 13) & 4095
IF S > 2739 THEN S = S - 28
IF S < 2746 THEN S = S + 29
IF K % 7 = 1 THEN GOSUB 25
IF K % 8 = 4 THEN S = (S + 4) & 4095
IF S > 2767 THEN S = S - 32
IF S < 2774 THEN S = S + 33
T = (K * 7 + S) & 255
IF K % 12 = 0 THEN S = (S + 8) & 4095
IF S > 2795 THEN S = S - 36
IF S < 2802 THEN S = S + 37
IF K % 4 = 3 THEN GOSUB 23
IF K % 5 = 3 THEN S = (S + 12) & 4095
IF S > 2823 THEN S = S - 40
IF S < 2830 THEN S = S + 41
T = (K * 2 + S) & 255
IF K % 9 = 5 THEN S = (S + 3) & 4095
IF S > 2851 THEN S = S - 44
IF S < 2858 THEN S = S + 45
IF K % 12 = 11 THEN GOSUB 21
IF K % 2 = 0 THEN S = (S + 7) & 4095
IF S > 2879 THEN S = S - 48
IF S < 2886 THEN S = S + 49
T = (K * 10 + S) & 255
RETURN
4 IF S > 2907 THEN S = S - 2
IF S < 2914 THEN S = S + 3
IF K % 9 = 7 THEN GOSUB 24
IF K % 10 = 4 THEN S = (S + 2) & 4095
IF S > 2935 THEN S = S - 6
IF S < 2942 THEN S = S + 7
T = (K * 5 + S) & 255
IF K % 3 = 0 THEN S = (S + 6) & 4095
IF S > 2963 THEN S = S - 10
IF S < 2970 THEN S = S + 11
IF K % 6 = 3 THEN GOSUB 22
IF K % 7 = 6 THEN S = (S + 10) & 4095
IF S > 2991 THEN S = S - 14
IF S < 2998 THEN S = S + 15
T = (K * 13 + S) & 255
IF K % 11 = 9 THEN S = (S + 1) & 4095
IF S > 3019 THEN S = S - 18
IF S < 3026 THEN S = S + 19
IF K % 3 = 2 THEN GOSUB 25
IF K % 4 = 0 THEN S = (S + 5) & 4095
IF S > 3047 THEN S = S - 22
IF S < 3054 THEN S = S + 23
T = (K * 8 + S) & 255
IF K % 8 = 0 THEN S = (S + 9) & 4095
IF S > 3075 THEN S = S - 26
IF S < 3082 THEN S = S + 27
IF K % 11 = 9 THEN GOSUB 23
IF K % 12 = 8 THEN S = (S + 13) & 4095
IF S > 103 THEN S = S - 30
IF S < 110 THEN S = S + 31
T = (K * 3 + S) & 255
IF K % 5 = 2 THEN S = (S + 4) & 4095
IF S > 131 THEN S = S - 34
IF S < 138 THEN S = S + 35
IF K % 8 = 3 THEN GOSUB 21
IF K % 9 = 4 THEN S = (S + 8) & 4095
IF S > 159 THEN S = S - 38
IF S < 166 THEN S = S + 39
T = (K * 11 + S) & 255
IF K % 2 = 0 THEN S = (S + 12) & 4095
IF S > 187 THEN S = S - 42
IF S < 194 THEN S = S + 43
IF K % 5 = 3 THEN GOSUB 24
IF K % 6 = 0 THEN S = (S + 3) & 4095
IF S > 215 THEN S = S - 46
IF S < 222 THEN S = S + 47
T = (K * 6 + S) & 255
IF K % 10 = 8 THEN S = (S + 7) & 4095
IF S > 243 THEN S = S - 50
IF S < 250 THEN S = S + 1
IF K % 2 = 1 THEN GOSUB 22
IF K % 3 = 2 THEN S = (S + 11) & 4095
IF S > 271 THEN S = S - 4
IF S < 278 THEN S = S + 5
T = (K * 1 + S) & 255
IF K % 7 = 1 THEN S = (S + 2) & 4095
IF S > 299 THEN S = S - 8
IF S < 306 THEN S = S + 9
IF K % 10 = 9 THEN GOSUB 25
IF K % 11 = 9 THEN S = (S + 6) & 4095
IF S > 327 THEN S = S - 12
IF S < 334 THEN S = S + 13
T = (K * 9 + S) & 255
IF K % 4 = 0 THEN S = (S + 10) & 4095
IF S > 355 THEN S = S - 16
IF S < 362 THEN S = S + 17
IF K % 7 = 5 THEN GOSUB 23
IF K % 8 = 4 THEN S = (S + 1) & 4095
IF S > 383 THEN S = S - 20
IF S < 390 THEN S = S + 21
T = (K * 4 + S) & 255
IF K % 12 = 4 THEN S = (S + 5) & 4095
IF S > 411 THEN S = S - 24
IF S < 418 THEN S = S + 25
IF K % 4 = 3 THEN GOSUB 21
IF K % 5 = 1 THEN S = (S + 9) & 4095
IF S > 439 THEN S = S - 28
IF S < 446 THEN S = S + 29
T = (K * 12 + S) & 255
IF K % 9 = 3 THEN S = (S + 13) & 4095
IF S > 467 THEN S = S - 32
IF S < 474 THEN S = S + 33
IF K % 12 = 3 THEN GOSUB 24
IF K % 2 = 0 THEN S = (S + 4) & 4095
IF S > 495 THEN S = S - 36
IF S < 502 THEN S = S + 37
T = (K * 7 + S) & 255
IF K % 6 = 2 THEN S = (S + 8) & 4095
IF S > 523 THEN S = S - 40
IF S < 530 THEN S = S + 41
IF K % 9 = 5 THEN GOSUB 22
IF K % 10 = 2 THEN S = (S + 12) & 4095
IF S > 551 THEN S = S - 44
IF S < 558 THEN S = S + 45
T = (K * 2 + S) & 255
IF K % 3 = 1 THEN S = (S + 3) & 4095
IF S > 579 THEN S = S - 48
IF S < 586 THEN S = S + 49
IF K % 6 = 1 THEN GOSUB 25
RETURN
5 IF S > 607 THEN S = S - 2
IF S < 614 THEN S = S + 3
T = (K * 10 + S) & 255
IF K % 11 = 9 THEN S = (S + 11) & 4095
IF S > 635 THEN S = S - 6
IF S < 642 THEN S = S + 7
IF K % 3 = 0 THEN GOSUB 23
IF K % 4 = 0 THEN S = (S + 2) & 4095
IF S > 663 THEN S = S - 10
IF S < 670 THEN S = S + 11
T = (K * 5 + S) & 255
IF K % 8 = 0 THEN S = (S + 6) & 4095
IF S > 691 THEN S = S - 14
IF S < 698 THEN S = S + 15
IF K % 11 = 9 THEN GOSUB 21
IF K % 12 = 0 THEN S = (S + 10) & 4095
IF S > 719 THEN S = S - 18
IF S < 726 THEN S = S + 19
T = (K * 13 + S) & 255
IF K % 5 = 0 THEN S = (S + 1) & 4095
IF S > 747 THEN S = S - 22
IF S < 754 THEN S = S + 23
IF K % 8 = 3 THEN GOSUB 24
IF K % 9 = 2 THEN S = (S + 5) & 4095
IF S > 775 THEN S = S - 26
IF S < 782 THEN S = S + 27
T = (K * 8 + S) & 255
IF K % 2 = 0 THEN S = (S + 9) & 4095
IF S > 803 THEN S = S - 30
IF S < 810 THEN S = S + 31
IF K % 5 = 1 THEN GOSUB 22
IF K % 6 = 4 THEN S = (S + 13) & 4095
IF S > 831 THEN S = S - 34
IF S < 838 THEN S = S + 35
T = (K * 3 + S) & 255
IF K % 10 = 6 THEN S = (S + 4) & 4095
IF S > 859 THEN S = S - 38
IF S < 866 THEN S = S + 39
IF K % 2 = 1 THEN GOSUB 25
IF K % 3 = 0 THEN S = (S + 8) & 4095
IF S > 887 THEN S = S - 42
IF S < 894 THEN S = S + 43
T = (K * 11 + S) & 255
IF K % 7 = 5 THEN S = (S + 12) & 4095
IF S > 915 THEN S = S - 46
IF S < 922 THEN S = S + 47
IF K % 10 = 7 THEN GOSUB 23
IF K % 11 = 9 THEN S = (S + 3) & 4095
IF S > 943 THEN S = S - 50
IF S < 950 THEN S = S + 1
T = (K * 6 + S) & 255
IF K % 4 = 0 THEN S = (S + 7) & 4095
IF S > 971 THEN S = S - 4
IF S < 978 THEN S = S + 5
IF K % 7 = 2 THEN GOSUB 21
IF K % 8 = 4 THEN S = (S + 11) & 4095
IF S > 999 THEN S = S - 8
IF S < 1006 THEN S = S + 9
T = (K * 1 + S) & 255
IF K % 12 = 8 THEN S = (S + 2) & 4095
IF S > 1027 THEN S = S - 12
IF S < 1034 THEN S = S + 13
IF K % 4 = 3 THEN GOSUB 24
IF K % 5 = 4 THEN S = (S + 6) & 4095
IF S > 1055 THEN S = S - 16
IF S < 1062 THEN S = S + 17
T = (K * 9 + S) & 255
IF K % 9 = 1 THEN S = (S + 10) & 4095
IF S > 1083 THEN S = S - 20
IF S < 1090 THEN S = S + 21
IF K % 12 = 7 THEN GOSUB 22
IF K % 2 = 0 THEN S = (S + 1) & 4095
IF S > 1111 THEN S = S - 24
IF S < 1118 THEN S = S + 25
T = (K * 4 + S) & 255
IF K % 6 = 0 THEN S = (S + 5) & 4095
IF S > 1139 THEN S = S - 28
IF S < 1146 THEN S = S + 29
IF K % 9 = 3 THEN GOSUB 25
IF K % 10 = 0 THEN S = (S + 9) & 4095
IF S > 1167 THEN S = S - 32
IF S < 1174 THEN S = S + 33
T = (K * 12 + S) & 255
IF K % 3 = 2 THEN S = (S + 13) & 4095
IF S > 1195 THEN S = S - 36
IF S < 1202 THEN S = S + 37
IF K % 6 = 5 THEN GOSUB 23
IF K % 7 = 0 THEN S = (S + 4) & 4095
IF S > 1223 THEN S = S - 40
IF S < 1230 THEN S = S + 41
T = (K * 7 + S) & 255
IF K % 11 = 9 THEN S = (S + 8) & 4095
IF S > 1251 THEN S = S - 44
IF S < 1258 THEN S = S + 45
IF K % 3 = 1 THEN GOSUB 21
IF K % 4 = 0 THEN S = (S + 12) & 4095
IF S > 1279 THEN S = S - 48
IF S < 1286 THEN S = S + 49
T = (K * 2 + S) & 255
RETURN
6 IF S > 1307 THEN S = S - 2
IF S < 1314 THEN S = S + 3
IF K % 11 = 9 THEN GOSUB 24
IF K % 12 = 4 THEN S = (S + 7) & 4095
IF S > 1335 THEN S = S - 6
IF S < 1342 THEN S = S + 7
T = (K * 10 + S) & 255
IF K % 5 = 3 THEN S = (S + 11) & 4095
IF S > 1363 THEN S = S - 10
IF S < 1370 THEN S = S + 11
IF K % 8 = 3 THEN GOSUB 22
IF K % 9 = 0 THEN S = (S + 2) & 4095
IF S > 1391 THEN S = S - 14
IF S < 1398 THEN S = S + 15
T = (K * 5 + S) & 255
IF K % 2 = 0 THEN S = (S + 6) & 4095
IF S > 1419 THEN S = S - 18
IF S < 1426 THEN S = S + 19
IF K % 5 = 4 THEN GOSUB 25
IF K % 6 = 2 THEN S = (S + 10) & 4095
IF S > 1447 THEN S = S - 22
IF S < 1454 THEN S = S + 23
T = (K * 13 + S) & 255
IF K % 10 = 4 THEN S = (S + 1) & 4095
IF S > 1475 THEN S = S - 26
IF S < 1482 THEN S = S + 27
IF K % 2 = 1 THEN GOSUB 23
IF K % 3 = 1 THEN S = (S + 5) & 4095
IF S > 1503 THEN S = S - 30
IF S < 1510 THEN S = S + 31
T = (K * 8 + S) & 255
IF K % 7 = 2 THEN S = (S + 9) & 4095
IF S > 1531 THEN S = S - 34
IF S < 1538 THEN S = S + 35
IF K % 10 = 5 THEN GOSUB 21
IF K % 11 = 9 THEN S = (S + 13) & 4095
IF S > 1559 THEN S = S - 38
IF S < 1566 THEN S = S + 39
T = (K * 3 + S) & 255
IF K % 4 = 0 THEN S = (S + 4) & 4095
IF S > 1587 THEN S = S - 42
IF S < 1594 THEN S = S + 43
IF K % 7 = 6 THEN GOSUB 24
IF K % 8 = 4 THEN S = (S + 8) & 4095
IF S > 1615 THEN S = S - 46
IF S < 1622 THEN S = S + 47
T = (K * 11 + S) & 255
IF K % 12 = 0 THEN S = (S + 12) & 4095
IF S > 1643 THEN S = S - 50
IF S < 1650 THEN S = S + 1
IF K % 4 = 3 THEN GOSUB 22
IF K % 5 = 2 THEN S = (S + 3) & 4095
IF S > 1671 THEN S = S - 4
IF S < 1678 THEN S = S + 5
T = (K * 6 + S) & 255
IF K % 9 = 8 THEN S = (S + 7) & 4095
IF S > 1699 THEN S = S - 8
IF S < 1706 THEN S = S + 9
IF K % 12 = 11 THEN GOSUB 25
IF K % 2 = 0 THEN S = (S + 11) & 4095
IF S > 1727 THEN S = S - 12
IF S < 1734 THEN S = S + 13
T = (K * 1 + S) & 255
IF K % 6 = 4 THEN S = (S + 2) & 4095
IF S > 1755 THEN S = S - 16
IF S < 1762 THEN S = S + 17
IF K % 9 = 1 THEN GOSUB 23
IF K % 10 = 8 THEN S = (S + 6) & 4095
IF S > 1783 THEN S = S - 20
IF S < 1790 THEN S = S + 21
T = (K * 9 + S) & 255
IF K % 3 = 0 THEN S = (S + 10) & 4095
IF S > 1811 THEN S = S - 24
IF S < 1818 THEN S = S + 25
IF K % 6 = 3 THEN GOSUB 21
IF K % 7 = 4 THEN S = (S + 1) & 4095
IF S > 1839 THEN S = S - 28
IF S < 1846 THEN S = S + 29
T = (K * 4 + S) & 255
IF K % 11 = 9 THEN S = (S + 5) & 4095
IF S > 1867 THEN S = S - 32
IF S < 1874 THEN S = S + 33
IF K % 3 = 2 THEN GOSUB 24
IF K % 4 = 0 THEN S = (S + 9) & 4095
IF S > 1895 THEN S = S - 36
IF S < 1902 THEN S = S + 37
T = (K * 12 + S) & 255
IF K % 8 = 0 THEN S = (S + 13) & 4095
IF S > 1923 THEN S = S - 40
IF S < 1930 THEN S = S + 41
IF K % 11 = 9 THEN GOSUB 22
IF K % 12 = 8 THEN S = (S + 4) & 4095
IF S > 1951 THEN S = S - 44
IF S < 1958 THEN S = S + 45
T = (K * 7 + S) & 255
IF K % 5 = 1 THEN S = (S + 8) & 4095
IF S > 1979 THEN S = S - 48
IF S < 1986 THEN S = S + 49
IF K % 8 = 3 THEN GOSUB 25
RETURN
7 IF S > 2007 THEN S = S - 2
IF S < 2014 THEN S = S + 3
T = (K * 2 + S) & 255
IF K % 2 = 0 THEN S = (S + 3) & 4095
IF S > 2035 THEN S = S - 6
IF S < 2042 THEN S = S + 7
IF K % 5 = 2 THEN GOSUB 23
IF K % 6 = 0 THEN S = (S + 7) & 4095
IF S > 2063 THEN S = S - 10
IF S < 2070 THEN S = S + 11
T = (K * 10 + S) & 255
IF K % 10 = 2 THEN S = (S + 11) & 4095
IF S > 2091 THEN S = S - 14
IF S < 2098 THEN S = S + 15
IF K % 2 = 1 THEN GOSUB 21
IF K % 3 = 2 THEN S = (S + 2) & 4095
IF S > 2119 THEN S = S - 18
IF S < 2126 THEN S = S + 19
T = (K * 5 + S) & 255
IF K % 7 = 6 THEN S = (S + 6) & 4095
IF S > 2147 THEN S = S - 22
IF S < 2154 THEN S = S + 23
IF K % 10 = 3 THEN GOSUB 24
IF K % 11 = 9 THEN S = (S + 10) & 4095
IF S > 2175 THEN S = S - 26
IF S < 2182 THEN S = S + 27
T = (K * 13 + S) & 255
IF K % 4 = 0 THEN S = (S + 1) & 4095
IF S > 2203 THEN S = S - 30
IF S < 2210 THEN S = S + 31
IF K % 7 = 3 THEN GOSUB 22
IF K % 8 = 4 THEN S = (S + 5) & 4095
IF S > 2231 THEN S = S - 34
IF S < 2238 THEN S = S + 35
T = (K * 8 + S) & 255
IF K % 12 = 4 THEN S = (S + 9) & 4095
IF S > 2259 THEN S = S - 38
IF S < 2266 THEN S = S + 39
IF K % 4 = 3 THEN GOSUB 25
IF K % 5 = 0 THEN S = (S + 13) & 4095
IF S > 2287 THEN S = S - 42
IF S < 2294 THEN S = S + 43
T = (K * 3 + S) & 255
IF K % 9 = 6 THEN S = (S + 4) & 4095
IF S > 2315 THEN S = S - 46
IF S < 2322 THEN S = S + 47
IF K % 12 = 3 THEN GOSUB 23
IF K % 2 = 0 THEN S = (S + 8) & 4095
IF S > 2343 THEN S = S - 50
IF S < 2350 THEN S = S + 1
T = (K * 11 + S) & 255
IF K % 6 = 2 THEN S = (S + 12) & 4095
IF S > 2371 THEN S = S - 4
IF S < 2378 THEN S = S + 5
IF K % 9 = 8 THEN GOSUB 21
IF K % 10 = 6 THEN S = (S + 3) & 4095
IF S > 2399 THEN S = S - 8
IF S < 2406 THEN S = S + 9
T = (K * 6 + S) & 255
IF K % 3 = 1 THEN S = (S + 7) & 4095
IF S > 2427 THEN S = S - 12
IF S < 2434 THEN S = S + 13
IF K % 6 = 1 THEN GOSUB 24
IF K % 7 = 1 THEN S = (S + 11) & 4095
IF S > 2455 THEN S = S - 16
IF S < 2462 THEN S = S + 17
T = (K * 1 + S) & 255
IF K % 11 = 9 THEN S = (S + 2) & 4095
IF S > 2483 THEN S = S - 20
IF S < 2490 THEN S = S + 21
IF K % 3 = 0 THEN GOSUB 22
IF K % 4 = 0 THEN S = (S + 6) & 4095
IF S > 2511 THEN S = S - 24
IF S < 2518 THEN S = S + 25
T = (K * 9 + S) & 255
IF K % 8 = 0 THEN S = (S + 10) & 4095
IF S > 2539 THEN S = S - 28
IF S < 2546 THEN S = S + 29
IF K % 11 = 9 THEN GOSUB 25
IF K % 12 = 0 THEN S = (S + 1) & 4095
IF S > 2567 THEN S = S - 32
IF S < 2574 THEN S = S + 33
T = (K * 4 + S) & 255
IF K % 5 = 4 THEN S = (S + 5) & 4095
IF S > 2595 THEN S = S - 36
IF S < 2602 THEN S = S + 37
IF K % 8 = 3 THEN GOSUB 23
IF K % 9 = 5 THEN S = (S + 9) & 4095
IF S > 2623 THEN S = S - 40
IF S < 2630 THEN S = S + 41
T = (K * 12 + S) & 255
IF K % 2 = 0 THEN S = (S + 13) & 4095
IF S > 2651 THEN S = S - 44
IF S < 2658 THEN S = S + 45
IF K % 5 = 0 THEN GOSUB 21
IF K % 6 = 4 THEN S = (S + 4) & 4095
IF S > 2679 THEN S = S - 48
IF S < 2686 THEN S = S + 49
T = (K * 7 + S) & 255
RETURN
8 IF S > 2707 THEN S = S - 2
IF S < 2714 THEN S = S + 3
IF K % 2 = 1 THEN GOSUB 24
IF K % 3 = 0 THEN S = (S + 12) & 4095
IF S > 2735 THEN S = S - 6
IF S < 2742 THEN S = S + 7
T = (K * 2 + S) & 255
IF K % 7 = 3 THEN S = (S + 3) & 4095
IF S > 2763 THEN S = S - 10
IF S < 2770 THEN S = S + 11
IF K % 10 = 1 THEN GOSUB 22
IF K % 11 = 9 THEN S = (S + 7) & 4095
IF S > 2791 THEN S = S - 14
IF S < 2798 THEN S = S + 15
T = (K * 10 + S) & 255
IF K % 4 = 0 THEN S = (S + 11) & 4095
IF S > 2819 THEN S = S - 18
IF S < 2826 THEN S = S + 19
IF K % 7 = 0 THEN GOSUB 25
IF K % 8 = 4 THEN S = (S + 2) & 4095
IF S > 2847 THEN S = S - 22
IF S < 2854 THEN S = S + 23
T = (K * 5 + S) & 255
IF K % 12 = 8 THEN S = (S + 6) & 4095
IF S > 2875 THEN S = S - 26
IF S < 2882 THEN S = S + 27
IF K % 4 = 3 THEN GOSUB 23
IF K % 5 = 3 THEN S = (S + 10) & 4095
IF S > 2903 THEN S = S - 30
IF S < 2910 THEN S = S + 31
T = (K * 13 + S) & 255
IF K % 9 = 4 THEN S = (S + 1) & 4095
IF S > 2931 THEN S = S - 34
IF S < 2938 THEN S = S + 35
IF K % 12 = 7 THEN GOSUB 21
IF K % 2 = 0 THEN S = (S + 5) & 4095
IF S > 2959 THEN S = S - 38
IF S < 2966 THEN S = S + 39
T = (K * 8 + S) & 255
IF K % 6 = 0 THEN S = (S + 9) & 4095
IF S > 2987 THEN S = S - 42
IF S < 2994 THEN S = S + 43
IF K % 9 = 6 THEN GOSUB 24
IF K % 10 = 4 THEN S = (S + 13) & 4095
IF S > 3015 THEN S = S - 46
IF S < 3022 THEN S = S + 47
T = (K * 3 + S) & 255
IF K % 3 = 2 THEN S = (S + 4) & 4095
IF S > 3043 THEN S = S - 50
IF S < 3050 THEN S = S + 1
IF K % 6 = 5 THEN GOSUB 22
IF K % 7 = 5 THEN S = (S + 8) & 4095
IF S > 3071 THEN S = S - 4
IF S < 3078 THEN S = S + 5
T = (K * 11 + S) & 255
IF K % 11 = 9 THEN S = (S + 12) & 4095
IF S > 3099 THEN S = S - 8
IF S < 106 THEN S = S + 9
IF K % 3 = 1 THEN GOSUB 25
IF K % 4 = 0 THEN S = (S + 3) & 4095
IF S > 127 THEN S = S - 12
IF S < 134 THEN S = S + 13
T = (K * 6 + S) & 255
IF K % 8 = 0 THEN S = (S + 7) & 4095
IF S > 155 THEN S = S - 16
IF S < 162 THEN S = S + 17
IF K % 11 = 9 THEN GOSUB 23
IF K % 12 = 4 THEN S = (S + 11) & 4095
IF S > 183 THEN S = S - 20
IF S < 190 THEN S = S + 21
T = (K * 1 + S) & 255
IF K % 5 = 2 THEN S = (S + 2) & 4095
IF S > 211 THEN S = S - 24
IF S < 218 THEN S = S + 25
IF K % 8 = 3 THEN GOSUB 21
IF K % 9 = 3 THEN S = (S + 6) & 4095
IF S > 239 THEN S = S - 28
IF S < 246 THEN S = S + 29
T = (K * 9 + S) & 255
IF K % 2 = 0 THEN S = (S + 10) & 4095
IF S > 267 THEN S = S - 32
IF S < 274 THEN S = S + 33
IF K % 5 = 3 THEN GOSUB 24
IF K % 6 = 2 THEN S = (S + 1) & 4095
IF S > 295 THEN S = S - 36
IF S < 302 THEN S = S + 37
T = (K * 4 + S) & 255
IF K % 10 = 8 THEN S = (S + 5) & 4095
IF S > 323 THEN S = S - 40
IF S < 330 THEN S = S + 41
IF K % 2 = 1 THEN GOSUB 22
IF K % 3 = 1 THEN S = (S + 9) & 4095
IF S > 351 THEN S = S - 44
IF S < 358 THEN S = S + 45
T = (K * 12 + S) & 255
IF K % 7 = 0 THEN S = (S + 13) & 4095
IF S > 379 THEN S = S - 48
IF S < 386 THEN S = S + 49
IF K % 10 = 9 THEN GOSUB 25
RETURN
9 IF S > 407 THEN S = S - 2
IF S < 414 THEN S = S + 3
T = (K * 7 + S) & 255
IF K % 4 = 0 THEN S = (S + 8) & 4095
IF S > 435 THEN S = S - 6
IF S < 442 THEN S = S + 7
IF K % 7 = 4 THEN GOSUB 23
IF K % 8 = 4 THEN S = (S + 12) & 4095
IF S > 463 THEN S = S - 10
IF S < 470 THEN S = S + 11
T = (K * 2 + S) & 255
IF K % 12 = 0 THEN S = (S + 3) & 4095
IF S > 491 THEN S = S - 14
IF S < 498 THEN S = S + 15
IF K % 4 = 3 THEN GOSUB 21
IF K % 5 = 1 THEN S = (S + 7) & 4095
IF S > 519 THEN S = S - 18
IF S < 526 THEN S = S + 19
T = (K * 10 + S) & 255
IF K % 9 = 2 THEN S = (S + 11) & 4095
IF S > 547 THEN S = S - 22
IF S < 554 THEN S = S + 23
IF K % 12 = 11 THEN GOSUB 24
IF K % 2 = 0 THEN S = (S + 2) & 4095
IF S > 575 THEN S = S - 26
IF S < 582 THEN S = S + 27
T = (K * 5 + S) & 255
IF K % 6 = 4 THEN S = (S + 6) & 4095
IF S > 603 THEN S = S - 30
IF S < 610 THEN S = S + 31
IF K % 9 = 4 THEN GOSUB 22
IF K % 10 = 2 THEN S = (S + 10) & 4095
IF S > 631 THEN S = S - 34
IF S < 638 THEN S = S + 35
T = (K * 13 + S) & 255
IF K % 3 = 0 THEN S = (S + 1) & 4095
IF S > 659 THEN S = S - 38
IF S < 666 THEN S = S + 39
IF K % 6 = 3 THEN GOSUB 25
IF K % 7 = 2 THEN S = (S + 5) & 4095
IF S > 687 THEN S = S - 42
IF S < 694 THEN S = S + 43
T = (K * 8 + S) & 255
IF K % 11 = 9 THEN S = (S + 9) & 4095
IF S > 715 THEN S = S - 46
IF S < 722 THEN S = S + 47
IF K % 3 = 2 THEN GOSUB 23
IF K % 4 = 0 THEN S = (S + 13) & 4095
IF S > 743 THEN S = S - 50
IF S < 750 THEN S = S + 1
T = (K * 3 + S) & 255
IF K % 8 = 0 THEN S = (S + 4) & 4095
IF S > 771 THEN S = S - 4
IF S < 778 THEN S = S + 5
IF K % 11 = 9 THEN GOSUB 21
IF K % 12 = 8 THEN S = (S + 8) & 4095
IF S > 799 THEN S = S - 8
IF S < 806 THEN S = S + 9
T = (K * 11 + S) & 255
IF K % 5 = 0 THEN S = (S + 12) & 4095
IF S > 827 THEN S = S - 12
IF S < 834 THEN S = S + 13
IF K % 8 = 3 THEN GOSUB 24
IF K % 9 = 1 THEN S = (S + 3) & 4095
IF S > 855 THEN S = S - 16
IF S < 862 THEN S = S + 17
T = (K * 6 + S) & 255
IF K % 2 = 0 THEN S = (S + 7) & 4095
IF S > 883 THEN S = S - 20
IF S < 890 THEN S = S + 21
IF K % 5 = 1 THEN GOSUB 22
IF K % 6 = 0 THEN S = (S + 11) & 4095
IF S > 911 THEN S = S - 24
IF S < 918 THEN S = S + 25
T = (K * 1 + S) & 255
IF K % 10 = 6 THEN S = (S + 2) & 4095
IF S > 939 THEN S = S - 28
IF S < 946 THEN S = S + 29
IF K % 2 = 1 THEN GOSUB 25
IF K % 3 = 2 THEN S = (S + 6) & 4095
IF S > 967 THEN S = S - 32
IF S < 974 THEN S = S + 33
T = (K * 9 + S) & 255
IF K % 7 = 4 THEN S = (S + 10) & 4095
IF S > 995 THEN S = S - 36
IF S < 1002 THEN S = S + 37
IF K % 10 = 7 THEN GOSUB 23
IF K % 11 = 9 THEN S = (S + 1) & 4095
IF S > 1023 THEN S = S - 40
IF S < 1030 THEN S = S + 41
T = (K * 4 + S) & 255
IF K % 4 = 0 THEN S = (S + 5) & 4095
IF S > 1051 THEN S = S - 44
IF S < 1058 THEN S = S + 45
IF K % 7 = 1 THEN GOSUB 21
IF K % 8 = 4 THEN S = (S + 9) & 4095
IF S > 1079 THEN S = S - 48
IF S < 1086 THEN S = S + 49
T = (K * 12 + S) & 255
RETURN
10 IF S > 1107 THEN S = S - 2
IF S < 1114 THEN S = S + 3
IF K % 4 = 3 THEN GOSUB 24
IF K % 5 = 4 THEN S = (S + 4) & 4095
IF S > 1135 THEN S = S - 6
IF S < 1142 THEN S = S + 7
T = (K * 7 + S) & 255
IF K % 9 = 0 THEN S = (S + 8) & 4095
IF S > 1163 THEN S = S - 10
IF S < 1170 THEN S = S + 11
IF K % 12 = 3 THEN GOSUB 22
IF K % 2 = 0 THEN S = (S + 12) & 4095
IF S > 1191 THEN S = S - 14
IF S < 1198 THEN S = S + 15
T = (K * 2 + S) & 255
IF K % 6 = 2 THEN S = (S + 3) & 4095
IF S > 1219 THEN S = S - 18
IF S < 1226 THEN S = S + 19
IF K % 9 = 2 THEN GOSUB 25
IF K % 10 = 0 THEN S = (S + 7) & 4095
IF S > 1247 THEN S = S - 22
IF S < 1254 THEN S = S + 23
T = (K * 10 + S) & 255
IF K % 3 = 1 THEN S = (S + 11) & 4095
IF S > 1275 THEN S = S - 26
IF S < 1282 THEN S = S + 27
IF K % 6 = 1 THEN GOSUB 23
IF K % 7 = 6 THEN S = (S + 2) & 4095
IF S > 1303 THEN S = S - 30
IF S < 1310 THEN S = S + 31
T = (K * 5 + S) & 255
IF K % 11 = 9 THEN S = (S + 6) & 4095
IF S > 1331 THEN S = S - 34
IF S < 1338 THEN S = S + 35
IF K % 3 = 0 THEN GOSUB 21
IF K % 4 = 0 THEN S = (S + 10) & 4095
IF S > 1359 THEN S = S - 38
IF S < 1366 THEN S = S + 39
T = (K * 13 + S) & 255
IF K % 8 = 0 THEN S = (S + 1) & 4095
IF S > 1387 THEN S = S - 42
IF S < 1394 THEN S = S + 43
IF K % 11 = 9 THEN GOSUB 24
IF K % 12 = 0 THEN S = (S + 5) & 4095
IF S > 1415 THEN S = S - 46
IF S < 1422 THEN S = S + 47
T = (K * 8 + S) & 255
IF K % 5 = 3 THEN S = (S + 9) & 4095
IF S > 1443 THEN S = S - 50
IF S < 1450 THEN S = S + 1
IF K % 8 = 3 THEN GOSUB 22
IF K % 9 = 8 THEN S = (S + 13) & 4095
IF S > 1471 THEN S = S - 4
IF S < 1478 THEN S = S + 5
T = (K * 3 + S) & 255
IF K % 2 = 0 THEN S = (S + 4) & 4095
IF S > 1499 THEN S = S - 8
IF S < 1506 THEN S = S + 9
IF K % 5 = 4 THEN GOSUB 25
IF K % 6 = 4 THEN S = (S + 8) & 4095
IF S > 1527 THEN S = S - 12
IF S < 1534 THEN S = S + 13
T = (K * 11 + S) & 255
IF K % 10 = 4 THEN S = (S + 12) & 4095
IF S > 1555 THEN S = S - 16
IF S < 1562 THEN S = S + 17
IF K % 2 = 1 THEN GOSUB 23
IF K % 3 = 0 THEN S = (S + 3) & 4095
IF S > 1583 THEN S = S - 20
IF S < 1590 THEN S = S + 21
T = (K * 6 + S) & 255
IF K % 7 = 1 THEN S = (S + 7) & 4095
IF S > 1611 THEN S = S - 24
IF S < 1618 THEN S = S + 25
IF K % 10 = 5 THEN GOSUB 21
IF K % 11 = 9 THEN S = (S + 11) & 4095
IF S > 1639 THEN S = S - 28
IF S < 1646 THEN S = S + 29
T = (K * 1 + S) & 255
IF K % 4 = 0 THEN S = (S + 2) & 4095
IF S > 1667 THEN S = S - 32
IF S < 1674 THEN S = S + 33
IF K % 7 = 5 THEN GOSUB 24
IF K % 8 = 4 THEN S = (S + 6) & 4095
IF S > 1695 THEN S = S - 36
IF S < 1702 THEN S = S + 37
T = (K * 9 + S) & 255
IF K % 12 = 8 THEN S = (S + 10) & 4095
IF S > 1723 THEN S = S - 40
IF S < 1730 THEN S = S + 41
IF K % 4 = 3 THEN GOSUB 22
IF K % 5 = 2 THEN S = (S + 1) & 4095
IF S > 1751 THEN S = S - 44
IF S < 1758 THEN S = S + 45
T = (K * 4 + S) & 255
IF K % 9 = 7 THEN S = (S + 5) & 4095
IF S > 1779 THEN S = S - 48
IF S < 1786 THEN S = S + 49
IF K % 12 = 7 THEN GOSUB 25
RETURN
11 IF S > 1807 THEN S = S - 2
IF S < 1814 THEN S = S + 3
T = (K * 12 + S) & 255
IF K % 6 = 0 THEN S = (S + 13) & 4095
IF S > 1835 THEN S = S - 6
IF S < 1842 THEN S = S + 7
IF K % 9 = 0 THEN GOSUB 23
IF K % 10 = 8 THEN S = (S + 4) & 4095
IF S > 1863 THEN S = S - 10
IF S < 1870 THEN S = S + 11
T = (K * 7 + S) & 255
IF K % 3 = 2 THEN S = (S + 8) & 4095
IF S > 1891 THEN S = S - 14
IF S < 1898 THEN S = S + 15
IF K % 6 = 5 THEN GOSUB 21
IF K % 7 = 3 THEN S = (S + 12) & 4095
IF S > 1919 THEN S = S - 18
IF S < 1926 THEN S = S + 19
T = (K * 2 + S) & 255
IF K % 11 = 9 THEN S = (S + 3) & 4095
IF S > 1947 THEN S = S - 22
IF S < 1954 THEN S = S + 23
IF K % 3 = 1 THEN GOSUB 24
IF K % 4 = 0 THEN S = (S + 7) & 4095
IF S > 1975 THEN S = S - 26
IF S < 1982 THEN S = S + 27
T = (K * 10 + S) & 255
IF K % 8 = 0 THEN S = (S + 11) & 4095
IF S > 2003 THEN S = S - 30
IF S < 2010 THEN S = S + 31
IF K % 11 = 9 THEN GOSUB 22
IF K % 12 = 4 THEN S = (S + 2) & 4095
IF S > 2031 THEN S = S - 34
IF S < 2038 THEN S = S + 35
T = (K * 5 + S) & 255
IF K % 5 = 1 THEN S = (S + 6) & 4095
IF S > 2059 THEN S = S - 38
IF S < 2066 THEN S = S + 39
IF K % 8 = 3 THEN GOSUB 25
IF K % 9 = 6 THEN S = (S + 10) & 4095
IF S > 2087 THEN S = S - 42
IF S < 2094 THEN S = S + 43
T = (K * 13 + S) & 255
IF K % 2 = 0 THEN S = (S + 1) & 4095
IF S > 2115 THEN S = S - 46
IF S < 2122 THEN S = S + 47
IF K % 5 = 2 THEN GOSUB 23
IF K % 6 = 2 THEN S = (S + 5) & 4095
IF S > 2143 THEN S = S - 50
IF S < 2150 THEN S = S + 1
T = (K * 8 + S) & 255
IF K % 10 = 2 THEN S = (S + 9) & 4095
IF S > 2171 THEN S = S - 4
IF S < 2178 THEN S = S + 5
IF K % 2 = 1 THEN GOSUB 21
IF K % 3 = 1 THEN S = (S + 13) & 4095
IF S > 2199 THEN S = S - 8
IF S < 2206 THEN S = S + 9
T = (K * 3 + S) & 255
IF K % 7 = 5 THEN S = (S + 4) & 4095
IF S > 2227 THEN S = S - 12
IF S < 2234 THEN S = S + 13
IF K % 10 = 3 THEN GOSUB 24
IF K % 11 = 9 THEN S = (S + 8) & 4095
IF S > 2255 THEN S = S - 16
IF S < 2262 THEN S = S + 17
T = (K * 11 + S) & 255
IF K % 4 = 0 THEN S = (S + 12) & 4095
IF S > 2283 THEN S = S - 20
IF S < 2290 THEN S = S + 21
IF K % 7 = 2 THEN GOSUB 22
IF K % 8 = 4 THEN S = (S + 3) & 4095
IF S > 2311 THEN S = S - 24
IF S < 2318 THEN S = S + 25
T = (K * 6 + S) & 255
IF K % 12 = 0 THEN S = (S + 7) & 4095
IF S > 2339 THEN S = S - 28
IF S < 2346 THEN S = S + 29
IF K % 4 = 3 THEN GOSUB 25
IF K % 5 = 0 THEN S = (S + 11) & 4095
IF S > 2367 THEN S = S - 32
IF S < 2374 THEN S = S + 33
T = (K * 1 + S) & 255
IF K % 9 = 5 THEN S = (S + 2) & 4095
IF S > 2395 THEN S = S - 36
IF S < 2402 THEN S = S + 37
IF K % 12 = 11 THEN GOSUB 23
IF K % 2 = 0 THEN S = (S + 6) & 4095
IF S > 2423 THEN S = S - 40
IF S < 2430 THEN S = S + 41
T = (K * 9 + S) & 255
IF K % 6 = 4 THEN S = (S + 10) & 4095
IF S > 2451 THEN S = S - 44
IF S < 2458 THEN S = S + 45
IF K % 9 = 7 THEN GOSUB 21
IF K % 10 = 6 THEN S = (S + 1) & 4095
IF S > 2479 THEN S = S - 48
IF S < 2486 THEN S = S + 49
T = (K * 4 + S) & 255
RETURN
12 IF S > 2507 THEN S = S - 2
IF S < 2514 THEN S = S + 3
IF K % 6 = 3 THEN GOSUB 24
IF K % 7 = 0 THEN S = (S + 9) & 4095
IF S > 2535 THEN S = S - 6
IF S < 2542 THEN S = S + 7
T = (K * 12 + S) & 255
IF K % 11 = 9 THEN S = (S + 13) & 4095
IF S > 2563 THEN S = S - 10
IF S < 2570 THEN S = S + 11
IF K % 3 = 2 THEN GOSUB 22
IF K % 4 = 0 THEN S = (S + 4) & 4095
IF S > 2591 THEN S = S - 14
IF S < 2598 THEN S = S + 15
T = (K * 7 + S) & 255
IF K % 8 = 0 THEN S = (S + 8) & 4095
IF S > 2619 THEN S = S - 18
IF S < 2626 THEN S = S + 19
IF K % 11 = 9 THEN GOSUB 25
IF K % 12 = 8 THEN S = (S + 12) & 4095
IF S > 2647 THEN S = S - 22
IF S < 2654 THEN S = S + 23
T = (K * 2 + S) & 255
IF K % 5 = 4 THEN S = (S + 3) & 4095
IF S > 2675 THEN S = S - 26
IF S < 2682 THEN S = S + 27
IF K % 8 = 3 THEN GOSUB 23
IF K % 9 = 4 THEN S = (S + 7) & 4095
IF S > 2703 THEN S = S - 30
IF S < 2710 THEN S = S + 31
T = (K * 10 + S) & 255
IF K % 2 = 0 THEN S = (S + 11) & 4095
IF S > 2731 THEN S = S - 34
IF S < 2738 THEN S = S + 35
IF K % 5 = 0 THEN GOSUB 21
IF K % 6 = 0 THEN S = (S + 2) & 4095
IF S > 2759 THEN S = S - 38
IF S < 2766 THEN S = S + 39
T = (K * 5 + S) & 255
IF K % 10 = 0 THEN S = (S + 6) & 4095
IF S > 2787 THEN S = S - 42
IF S < 2794 THEN S = S + 43
IF K % 2 = 1 THEN GOSUB 24
IF K % 3 = 2 THEN S = (S + 10) & 4095
IF S > 2815 THEN S = S - 46
IF S < 2822 THEN S = S + 47
T = (K * 13 + S) & 255
IF K % 7 = 2 THEN S = (S + 1) & 4095
IF S > 2843 THEN S = S - 50
IF S < 2850 THEN S = S + 1
IF K % 10 = 1 THEN GOSUB 22
IF K % 11 = 9 THEN S = (S + 5) & 4095
IF S > 2871 THEN S = S - 4
IF S < 2878 THEN S = S + 5
T = (K * 8 + S) & 255
IF K % 4 = 0 THEN S = (S + 9) & 4095
IF S > 2899 THEN S = S - 8
IF S < 2906 THEN S = S + 9
IF K % 7 = 6 THEN GOSUB 25
IF K % 8 = 4 THEN S = (S + 13) & 4095
IF S > 2927 THEN S = S - 12
IF S < 2934 THEN S = S + 13
T = (K * 3 + S) & 255
IF K % 12 = 4 THEN S = (S + 4) & 4095
IF S > 2955 THEN S = S - 16
IF S < 2962 THEN S = S + 17
IF K % 4 = 3 THEN GOSUB 23
IF K % 5 = 3 THEN S = (S + 8) & 4095
IF S > 2983 THEN S = S - 20
IF S < 2990 THEN S = S + 21
T = (K * 11 + S) & 255
IF K % 9 = 3 THEN S = (S + 12) & 4095
IF S > 3011 THEN S = S - 24
IF S < 3018 THEN S = S + 25
IF K % 12 = 3 THEN GOSUB 21
IF K % 2 = 0 THEN S = (S + 3) & 4095
IF S > 3039 THEN S = S - 28
IF S < 3046 THEN S = S + 29
T = (K * 6 + S) & 255
IF K % 6 = 2 THEN S = (S + 7) & 4095
IF S > 3067 THEN S = S - 32
IF S < 3074 THEN S = S + 33
IF K % 9 = 5 THEN GOSUB 24
IF K % 10 = 4 THEN S = (S + 11) & 4095
IF S > 3095 THEN S = S - 36
IF S < 102 THEN S = S + 37
T = (K * 1 + S) & 255
IF K % 3 = 1 THEN S = (S + 2) & 4095
IF S > 123 THEN S = S - 40
IF S < 130 THEN S = S + 41
IF K % 6 = 1 THEN GOSUB 22
IF K % 7 = 4 THEN S = (S + 6) & 4095
IF S > 151 THEN S = S - 44
IF S < 158 THEN S = S + 45
T = (K * 9 + S) & 255
IF K % 11 = 9 THEN S = (S + 10) & 4095
IF S > 179 THEN S = S - 48
IF S < 186 THEN S = S + 49
IF K % 3 = 0 THEN GOSUB 25
RETURN
13 IF S > 207 THEN S = S - 2
IF S < 214 THEN S = S + 3
T = (K * 4 + S) & 255
IF K % 8 = 0 THEN S = (S + 5) & 4095
IF S > 235 THEN S = S - 6
IF S < 242 THEN S = S + 7
IF K % 11 = 9 THEN GOSUB 23
IF K % 12 = 0 THEN S = (S + 9) & 4095
IF S > 263 THEN S = S - 10
IF S < 270 THEN S = S + 11
T = (K * 12 + S) & 255
IF K % 5 = 2 THEN S = (S + 13) & 4095
IF S > 291 THEN S = S - 14
IF S < 298 THEN S = S + 15
IF K % 8 = 3 THEN GOSUB 21
IF K % 9 = 2 THEN S = (S + 4) & 4095
IF S > 319 THEN S = S - 18
IF S < 326 THEN S = S + 19
T = (K * 7 + S) & 255
IF K % 2 = 0 THEN S = (S + 8) & 4095
IF S > 347 THEN S = S - 22
IF S < 354 THEN S = S + 23
IF K % 5 = 3 THEN GOSUB 24
IF K % 6 = 4 THEN S = (S + 12) & 4095
IF S > 375 THEN S = S - 26
IF S < 382 THEN S = S + 27
T = (K * 2 + S) & 255
IF K % 10 = 8 THEN S = (S + 3) & 4095
IF S > 403 THEN S = S - 30
IF S < 410 THEN S = S + 31
IF K % 2 = 1 THEN GOSUB 22
IF K % 3 = 0 THEN S = (S + 7) & 4095
IF S > 431 THEN S = S - 34
IF S < 438 THEN S = S + 35
T = (K * 10 + S) & 255
IF K % 7 = 6 THEN S = (S + 11) & 4095
IF S > 459 THEN S = S - 38
IF S < 466 THEN S = S + 39
IF K % 10 = 9 THEN GOSUB 25
IF K % 11 = 9 THEN S = (S + 2) & 4095
IF S > 487 THEN S = S - 42
IF S < 494 THEN S = S + 43
T = (K * 5 + S) & 255
IF K % 4 = 0 THEN S = (S + 6) & 4095
IF S > 515 THEN S = S - 46
IF S < 522 THEN S = S + 47
IF K % 7 = 3 THEN GOSUB 23
IF K % 8 = 4 THEN S = (S + 10) & 4095
IF S > 543 THEN S = S - 50
IF S < 550 THEN S = S + 1
T = (K * 13 + S) & 255
IF K % 12 = 8 THEN S = (S + 1) & 4095
IF S > 571 THEN S = S - 4
IF S < 578 THEN S = S + 5
IF K % 4 = 3 THEN GOSUB 21
IF K % 5 = 1 THEN S = (S + 5) & 4095
IF S > 599 THEN S = S - 8
IF S < 606 THEN S = S + 9
T = (K * 8 + S) & 255
IF K % 9 = 1 THEN S = (S + 9) & 4095
IF S > 627 THEN S = S - 12
IF S < 634 THEN S = S + 13
IF K % 12 = 7 THEN GOSUB 24
IF K % 2 = 0 THEN S = (S + 13) & 4095
IF S > 655 THEN S = S - 16
IF S < 662 THEN S = S + 17
T = (K * 3 + S) & 255
IF K % 6 = 0 THEN S = (S + 4) & 4095
IF S > 683 THEN S = S - 20
IF S < 690 THEN S = S + 21
IF K % 9 = 3 THEN GOSUB 22
IF K % 10 = 2 THEN S = (S + 8) & 4095
IF S > 711 THEN S = S - 24
IF S < 718 THEN S = S + 25
T = (K * 11 + S) & 255
IF K % 3 = 2 THEN S = (S + 12) & 4095
IF S > 739 THEN S = S - 28
IF S < 746 THEN S = S + 29
IF K % 6 = 5 THEN GOSUB 25
IF K % 7 = 1 THEN S = (S + 3) & 4095
IF S > 767 THEN S = S - 32
IF S < 774 THEN S = S + 33
T = (K * 6 + S) & 255
IF K % 11 = 9 THEN S = (S + 7) & 4095
IF S > 795 THEN S = S - 36
IF S < 802 THEN S = S + 37
IF K % 3 = 1 THEN GOSUB 23
IF K % 4 = 0 THEN S = (S + 11) & 4095
IF S > 823 THEN S = S - 40
IF S < 830 THEN S = S + 41
T = (K * 1 + S) & 255
IF K % 8 = 0 THEN S = (S + 2) & 4095
IF S > 851 THEN S = S - 44
IF S < 858 THEN S = S + 45
IF K % 11 = 9 THEN GOSUB 21
IF K % 12 = 4 THEN S = (S + 6) & 4095
IF S > 879 THEN S = S - 48
IF S < 886 THEN S = S + 49
T = (K * 9 + S) & 255
RETURN
14 IF S > 907 THEN S = S - 2
IF S < 914 THEN S = S + 3
IF K % 8 = 3 THEN GOSUB 24
IF K % 9 = 0 THEN S = (S + 1) & 4095
IF S > 935 THEN S = S - 6
IF S < 942 THEN S = S + 7
T = (K * 4 + S) & 255
IF K % 2 = 0 THEN S = (S + 5) & 4095
IF S > 963 THEN S = S - 10
IF S < 970 THEN S = S + 11
IF K % 5 = 1 THEN GOSUB 22
IF K % 6 = 2 THEN S = (S + 9) & 4095
IF S > 991 THEN S = S - 14
IF S < 998 THEN S = S + 15
T = (K * 12 + S) & 255
IF K % 10 = 6 THEN S = (S + 13) & 4095
IF S > 1019 THEN S = S - 18
IF S < 1026 THEN S = S + 19
IF K % 2 = 1 THEN GOSUB 25
IF K % 3 = 1 THEN S = (S + 4) & 4095
IF S > 1047 THEN S = S - 22
IF S < 1054 THEN S = S + 23
T = (K * 7 + S) & 255
IF K % 7 = 3 THEN S = (S + 8) & 4095
IF S > 1075 THEN S = S - 26
IF S < 1082 THEN S = S + 27
IF K % 10 = 7 THEN GOSUB 23
IF K % 11 = 9 THEN S = (S + 12) & 4095
IF S > 1103 THEN S = S - 30
IF S < 1110 THEN S = S + 31
T = (K * 2 + S) & 255
IF K % 4 = 0 THEN S = (S + 3) & 4095
IF S > 1131 THEN S = S - 34
IF S < 1138 THEN S = S + 35
IF K % 7 = 0 THEN GOSUB 21
IF K % 8 = 4 THEN S = (S + 7) & 4095
IF S > 1159 THEN S = S - 38
IF S < 1166 THEN S = S + 39
T = (K * 10 + S) & 255
IF K % 12 = 0 THEN S = (S + 11) & 4095
IF S > 1187 THEN S = S - 42
IF S < 1194 THEN S = S + 43
IF K % 4 = 3 THEN GOSUB 24
IF K % 5 = 4 THEN S = (S + 2) & 4095
IF S > 1215 THEN S = S - 46
IF S < 1222 THEN S = S + 47
T = (K * 5 + S) & 255
IF K % 9 = 8 THEN S = (S + 6) & 4095
IF S > 1243 THEN S = S - 50
IF S < 1250 THEN S = S + 1
IF K % 12 = 11 THEN GOSUB 22
IF K % 2 = 0 THEN S = (S + 10) & 4095
IF S > 1271 THEN S = S - 4
IF S < 1278 THEN S = S + 5
T = (K * 13 + S) & 255
IF K % 6 = 4 THEN S = (S + 1) & 4095
IF S > 1299 THEN S = S - 8
IF S < 1306 THEN S = S + 9
IF K % 9 = 1 THEN GOSUB 25
IF K % 10 = 0 THEN S = (S + 5) & 4095
IF S > 1327 THEN S = S - 12
IF S < 1334 THEN S = S + 13
T = (K * 8 + S) & 255
IF K % 3 = 0 THEN S = (S + 9) & 4095
IF S > 1355 THEN S = S - 16
IF S < 1362 THEN S = S + 17
IF K % 6 = 3 THEN GOSUB 23
IF K % 7 = 5 THEN S = (S + 13) & 4095
IF S > 1383 THEN S = S - 20
IF S < 1390 THEN S = S + 21
T = (K * 3 + S) & 255
IF K % 11 = 9 THEN S = (S + 4) & 4095
IF S > 1411 THEN S = S - 24
IF S < 1418 THEN S = S + 25
IF K % 3 = 2 THEN GOSUB 21
IF K % 4 = 0 THEN S = (S + 8) & 4095
IF S > 1439 THEN S = S - 28
IF S < 1446 THEN S = S + 29
T = (K * 11 + S) & 255
IF K % 8 = 0 THEN S = (S + 12) & 4095
IF S > 1467 THEN S = S - 32
IF S < 1474 THEN S = S + 33
IF K % 11 = 9 THEN GOSUB 24
IF K % 12 = 8 THEN S = (S + 3) & 4095
IF S > 1495 THEN S = S - 36
IF S < 1502 THEN S = S + 37
T = (K * 6 + S) & 255
IF K % 5 = 3 THEN S = (S + 7) & 4095
IF S > 1523 THEN S = S - 40
IF S < 1530 THEN S = S + 41
IF K % 8 = 3 THEN GOSUB 22
IF K % 9 = 7 THEN S = (S + 11) & 4095
IF S > 1551 THEN S = S - 44
IF S < 1558 THEN S = S + 45
T = (K * 1 + S) & 255
IF K % 2 = 0 THEN S = (S + 2) & 4095
IF S > 1579 THEN S = S - 48
IF S < 1586 THEN S = S + 49
IF K % 5 = 4 THEN GOSUB 25
RETURN
15 IF S > 1607 THEN S = S - 2
IF S < 1614 THEN S = S + 3
T = (K * 9 + S) & 255
IF K % 10 = 4 THEN S = (S + 10) & 4095
IF S > 1635 THEN S = S - 6
IF S < 1642 THEN S = S + 7
IF K % 2 = 1 THEN GOSUB 23
IF K % 3 = 2 THEN S = (S + 1) & 4095
IF S > 1663 THEN S = S - 10
IF S < 1670 THEN S = S + 11
T = (K * 4 + S) & 255
IF K % 7 = 0 THEN S = (S + 5) & 4095
IF S > 1691 THEN S = S - 14
IF S < 1698 THEN S = S + 15
IF K % 10 = 5 THEN GOSUB 21
IF K % 11 = 9 THEN S = (S + 9) & 4095
IF S > 1719 THEN S = S - 18
IF S < 1726 THEN S = S + 19
T = (K * 12 + S) & 255
IF K % 4 = 0 THEN S = (S + 13) & 4095
IF S > 1747 THEN S = S - 22
IF S < 1754 THEN S = S + 23
IF K % 7 = 4 THEN GOSUB 24
IF K % 8 = 4 THEN S = (S + 4) & 4095
IF S > 1775 THEN S = S - 26
IF S < 1782 THEN S = S + 27
T = (K * 7 + S) & 255
IF K % 12 = 4 THEN S = (S + 8) & 4095
IF S > 1803 THEN S = S - 30
IF S < 1810 THEN S = S + 31
IF K % 4 = 3 THEN GOSUB 22
IF K % 5 = 2 THEN S = (S + 12) & 4095
IF S > 1831 THEN S = S - 34
IF S < 1838 THEN S = S + 35
T = (K * 2 + S) & 255
IF K % 9 = 6 THEN S = (S + 3) & 4095
IF S > 1859 THEN S = S - 38
IF S < 1866 THEN S = S + 39
IF K % 12 = 3 THEN GOSUB 25
IF K % 2 = 0 THEN S = (S + 7) & 4095
IF S > 1887 THEN S = S - 42
IF S < 1894 THEN S = S + 43
T = (K * 10 + S) & 255
IF K % 6 = 2 THEN S = (S + 11) & 4095
IF S > 1915 THEN S = S - 46
IF S < 1922 THEN S = S + 47
IF K % 9 = 8 THEN GOSUB 23
IF K % 10 = 8 THEN S = (S + 2) & 4095
IF S > 1943 THEN S = S - 50
IF S < 1950 THEN S = S + 1
T = (K * 5 + S) & 255
IF K % 3 = 1 THEN S = (S + 6) & 4095
IF S > 1971 THEN S = S - 4
IF S < 1978 THEN S = S + 5
IF K % 6 = 1 THEN GOSUB 21
IF K % 7 = 2 THEN S = (S + 10) & 4095
IF S > 1999 THEN S = S - 8
IF S < 2006 THEN S = S + 9
T = (K * 13 + S) & 255
IF K % 11 = 9 THEN S = (S + 1) & 4095
IF S > 2027 THEN S = S - 12
IF S < 2034 THEN S = S + 13
IF K % 3 = 0 THEN GOSUB 24
IF K % 4 = 0 THEN S = (S + 5) & 4095
IF S > 2055 THEN S = S - 16
IF S < 2062 THEN S = S + 17
T = (K * 8 + S) & 255
IF K % 8 = 0 THEN S = (S + 9) & 4095
IF S > 2083 THEN S = S - 20
IF S < 2090 THEN S = S + 21
IF K % 11 = 9 THEN GOSUB 22
IF K % 12 = 0 THEN S = (S + 13) & 4095
IF S > 2111 THEN S = S - 24
IF S < 2118 THEN S = S + 25
T = (K * 3 + S) & 255
IF K % 5 = 1 THEN S = (S + 4) & 4095
IF S > 2139 THEN S = S - 28
IF S < 2146 THEN S = S + 29
IF K % 8 = 3 THEN GOSUB 25
IF K % 9 = 5 THEN S = (S + 8) & 4095
IF S > 2167 THEN S = S - 32
IF S < 2174 THEN S = S + 33
T = (K * 11 + S) & 255
IF K % 2 = 0 THEN S = (S + 12) & 4095
IF S > 2195 THEN S = S - 36
IF S < 2202 THEN S = S + 37
IF K % 5 = 2 THEN GOSUB 23
IF K % 6 = 4 THEN S = (S + 3) & 4095
IF S > 2223 THEN S = S - 40
IF S < 2230 THEN S = S + 41
T = (K * 6 + S) & 255
IF K % 10 = 2 THEN S = (S + 7) & 4095
IF S > 2251 THEN S = S - 44
IF S < 2258 THEN S = S + 45
IF K % 2 = 1 THEN GOSUB 21
IF K % 3 = 0 THEN S = (S + 11) & 4095
IF S > 2279 THEN S = S - 48
IF S < 2286 THEN S = S + 49
T = (K * 1 + S) & 255
RETURN
16 IF S > 2307 THEN S = S - 2
IF S < 2314 THEN S = S + 3
IF K % 10 = 3 THEN GOSUB 24
IF K % 11 = 9 THEN S = (S + 6) & 4095
IF S > 2335 THEN S = S - 6
IF S < 2342 THEN S = S + 7
T = (K * 9 + S) & 255
IF K % 4 = 0 THEN S = (S + 10) & 4095
IF S > 2363 THEN S = S - 10
IF S < 2370 THEN S = S + 11
IF K % 7 = 1 THEN GOSUB 22
IF K % 8 = 4 THEN S = (S + 1) & 4095
IF S > 2391 THEN S = S - 14
IF S < 2398 THEN S = S + 15
T = (K * 4 + S) & 255
IF K % 12 = 8 THEN S = (S + 5) & 4095
IF S > 2419 THEN S = S - 18
IF S < 2426 THEN S = S + 19
IF K % 4 = 3 THEN GOSUB 25
IF K % 5 = 0 THEN S = (S + 9) & 4095
IF S > 2447 THEN S = S - 22
IF S < 2454 THEN S = S + 23
T = (K * 12 + S) & 255
IF K % 9 = 4 THEN S = (S + 13) & 4095
IF S > 2475 THEN S = S - 26
IF S < 2482 THEN S = S + 27
IF K % 12 = 7 THEN GOSUB 23
IF K % 2 = 0 THEN S = (S + 4) & 4095
IF S > 2503 THEN S = S - 30
IF S < 2510 THEN S = S + 31
T = (K * 7 + S) & 255
IF K % 6 = 0 THEN S = (S + 8) & 4095
IF S > 2531 THEN S = S - 34
IF S < 2538 THEN S = S + 35
IF K % 9 = 6 THEN GOSUB 21
IF K % 10 = 6 THEN S = (S + 12) & 4095
IF S > 2559 THEN S = S - 38
IF S < 2566 THEN S = S + 39
T = (K * 2 + S) & 255
IF K % 3 = 2 THEN S = (S + 3) & 4095
IF S > 2587 THEN S = S - 42
IF S < 2594 THEN S = S + 43
IF K % 6 = 5 THEN GOSUB 24
IF K % 7 = 6 THEN S = (S + 7) & 4095
IF S > 2615 THEN S = S - 46
IF S < 2622 THEN S = S + 47
T = (K * 10 + S) & 255
IF K % 11 = 9 THEN S = (S + 11) & 4095
IF S > 2643 THEN S = S - 50
IF S < 2650 THEN S = S + 1
IF K % 3 = 1 THEN GOSUB 22
IF K % 4 = 0 THEN S = (S + 2) & 4095
IF S > 2671 THEN S = S - 4
IF S < 2678 THEN S = S + 5
T = (K * 5 + S) & 255
IF K % 8 = 0 THEN S = (S + 6) & 4095
IF S > 2699 THEN S = S - 8
IF S < 2706 THEN S = S + 9
IF K % 11 = 9 THEN GOSUB 25
IF K % 12 = 4 THEN S = (S + 10) & 4095
IF S > 2727 THEN S = S - 12
IF S < 2734 THEN S = S + 13
T = (K * 13 + S) & 255
IF K % 5 = 4 THEN S = (S + 1) & 4095
IF S > 2755 THEN S = S - 16
IF S < 2762 THEN S = S + 17
IF K % 8 = 3 THEN GOSUB 23
IF K % 9 = 3 THEN S = (S + 5) & 4095
IF S > 2783 THEN S = S - 20
IF S < 2790 THEN S = S + 21
T = (K * 8 + S) & 255
IF K % 2 = 0 THEN S = (S + 9) & 4095
IF S > 2811 THEN S = S - 24
IF S < 2818 THEN S = S + 25
IF K % 5 = 0 THEN GOSUB 21
IF K % 6 = 2 THEN S = (S + 13) & 4095
IF S > 2839 THEN S = S - 28
IF S < 2846 THEN S = S + 29
T = (K * 3 + S) & 255
IF K % 10 = 0 THEN S = (S + 4) & 4095
IF S > 2867 THEN S = S - 32
IF S < 2874 THEN S = S + 33
IF K % 2 = 1 THEN GOSUB 24
IF K % 3 = 1 THEN S = (S + 8) & 4095
IF S > 2895 THEN S = S - 36
IF S < 2902 THEN S = S + 37
T = (K * 11 + S) & 255
IF K % 7 = 1 THEN S = (S + 12) & 4095
IF S > 2923 THEN S = S - 40
IF S < 2930 THEN S = S + 41
IF K % 10 = 1 THEN GOSUB 22
IF K % 11 = 9 THEN S = (S + 3) & 4095
IF S > 2951 THEN S = S - 44
IF S < 2958 THEN S = S + 45
T = (K * 6 + S) & 255
IF K % 4 = 0 THEN S = (S + 7) & 4095
IF S > 2979 THEN S = S - 48
IF S < 2986 THEN S = S + 49
IF K % 7 = 5 THEN GOSUB 25
RETURN
17 IF S > 3007 THEN S = S - 2
IF S < 3014 THEN S = S + 3
T = (K * 1 + S) & 255
IF K % 12 = 0 THEN S = (S + 2) & 4095
IF S > 3035 THEN S = S - 6
IF S < 3042 THEN S = S + 7
IF K % 4 = 3 THEN GOSUB 23
IF K % 5 = 3 THEN S = (S + 6) & 4095
IF S > 3063 THEN S = S - 10
IF S < 3070 THEN S = S + 11
T = (K * 9 + S) & 255
IF K % 9 = 2 THEN S = (S + 10) & 4095
IF S > 3091 THEN S = S - 14
IF S < 3098 THEN S = S + 15
IF K % 12 = 11 THEN GOSUB 21
IF K % 2 = 0 THEN S = (S + 1) & 4095
IF S > 119 THEN S = S - 18
IF S < 126 THEN S = S + 19
T = (K * 4 + S) & 255
IF K % 6 = 4 THEN S = (S + 5) & 4095
IF S > 147 THEN S = S - 22
IF S < 154 THEN S = S + 23
IF K % 9 = 4 THEN GOSUB 24
IF K % 10 = 4 THEN S = (S + 9) & 4095
IF S > 175 THEN S = S - 26
IF S < 182 THEN S = S + 27
T = (K * 12 + S) & 255
IF K % 3 = 0 THEN S = (S + 13) & 4095
IF S > 203 THEN S = S - 30
IF S < 210 THEN S = S + 31
IF K % 6 = 3 THEN GOSUB 22
IF K % 7 = 3 THEN S = (S + 4) & 4095
IF S > 231 THEN S = S - 34
IF S < 238 THEN S = S + 35
T = (K * 7 + S) & 255
IF K % 11 = 9 THEN S = (S + 8) & 4095
IF S > 259 THEN S = S - 38
IF S < 266 THEN S = S + 39
IF K % 3 = 2 THEN GOSUB 25
IF K % 4 = 0 THEN S = (S + 12) & 4095
IF S > 287 THEN S = S - 42
IF S < 294 THEN S = S + 43
T = (K * 2 + S) & 255
IF K % 8 = 0 THEN S = (S + 3) & 4095
IF S > 315 THEN S = S - 46
IF S < 322 THEN S = S + 47
IF K % 11 = 9 THEN GOSUB 23
IF K % 12 = 8 THEN S = (S + 7) & 4095
IF S > 343 THEN S = S - 50
IF S < 350 THEN S = S + 1
T = (K * 10 + S) & 255
IF K % 5 = 2 THEN S = (S + 11) & 4095
IF S > 371 THEN S = S - 4
IF S < 378 THEN S = S + 5
IF K % 8 = 3 THEN GOSUB 21
IF K % 9 = 1 THEN S = (S + 2) & 4095
IF S > 399 THEN S = S - 8
IF S < 406 THEN S = S + 9
T = (K * 5 + S) & 255
IF K % 2 = 0 THEN S = (S + 6) & 4095
IF S > 427 THEN S = S - 12
IF S < 434 THEN S = S + 13
IF K % 5 = 3 THEN GOSUB 24
IF K % 6 = 0 THEN S = (S + 10) & 4095
IF S > 455 THEN S = S - 16
IF S < 462 THEN S = S + 17
T = (K * 13 + S) & 255
IF K % 10 = 8 THEN S = (S + 1) & 4095
IF S > 483 THEN S = S - 20
IF S < 490 THEN S = S + 21
IF K % 2 = 1 THEN GOSUB 22
IF K % 3 = 2 THEN S = (S + 5) & 4095
IF S > 511 THEN S = S - 24
IF S < 518 THEN S = S + 25
T = (K * 8 + S) & 255
IF K % 7 = 5 THEN S = (S + 9) & 4095
IF S > 539 THEN S = S - 28
IF S < 546 THEN S = S + 29
IF K % 10 = 9 THEN GOSUB 25
IF K % 11 = 9 THEN S = (S + 13) & 4095
IF S > 567 THEN S = S - 32
IF S < 574 THEN S = S + 33
T = (K * 3 + S) & 255
IF K % 4 = 0 THEN S = (S + 4) & 4095
IF S > 595 THEN S = S - 36
IF S < 602 THEN S = S + 37
IF K % 7 = 2 THEN GOSUB 23
IF K % 8 = 4 THEN S = (S + 8) & 4095
IF S > 623 THEN S = S - 40
IF S < 630 THEN S = S + 41
T = (K * 11 + S) & 255
IF K % 12 = 4 THEN S = (S + 12) & 4095
IF S > 651 THEN S = S - 44
IF S < 658 THEN S = S + 45
IF K % 4 = 3 THEN GOSUB 21
IF K % 5 = 1 THEN S = (S + 3) & 4095
IF S > 679 THEN S = S - 48
IF S < 686 THEN S = S + 49
T = (K * 6 + S) & 255
RETURN
18 IF S > 707 THEN S = S - 2
IF S < 714 THEN S = S + 3
IF K % 12 = 3 THEN GOSUB 24
IF K % 2 = 0 THEN S = (S + 11) & 4095
IF S > 735 THEN S = S - 6
IF S < 742 THEN S = S + 7
T = (K * 1 + S) & 255
IF K % 6 = 2 THEN S = (S + 2) & 4095
IF S > 763 THEN S = S - 10
IF S < 770 THEN S = S + 11
IF K % 9 = 2 THEN GOSUB 22
IF K % 10 = 2 THEN S = (S + 6) & 4095
IF S > 791 THEN S = S - 14
IF S < 798 THEN S = S + 15
T = (K * 9 + S) & 255
IF K % 3 = 1 THEN S = (S + 10) & 4095
IF S > 819 THEN S = S - 18
IF S < 826 THEN S = S + 19
IF K % 6 = 1 THEN GOSUB 25
IF K % 7 = 0 THEN S = (S + 1) & 4095
IF S > 847 THEN S = S - 22
IF S < 854 THEN S = S + 23
T = (K * 4 + S) & 255
IF K % 11 = 9 THEN S = (S + 5) & 4095
IF S > 875 THEN S = S - 26
IF S < 882 THEN S = S + 27
IF K % 3 = 0 THEN GOSUB 23
IF K % 4 = 0 THEN S = (S + 9) & 4095
IF S > 903 THEN S = S - 30
IF S < 910 THEN S = S + 31
T = (K * 12 + S) & 255
IF K % 8 = 0 THEN S = (S + 13) & 4095
IF S > 931 THEN S = S - 34
IF S < 938 THEN S = S + 35
IF K % 11 = 9 THEN GOSUB 21
IF K % 12 = 0 THEN S = (S + 4) & 4095
IF S > 959 THEN S = S - 38
IF S < 966 THEN S = S + 39
T = (K * 7 + S) & 255
IF K % 5 = 0 THEN S = (S + 8) & 4095
IF S > 987 THEN S = S - 42
IF S < 994 THEN S = S + 43
IF K % 8 = 3 THEN GOSUB 24
IF K % 9 = 8 THEN S = (S + 12) & 4095
IF S > 1015 THEN S = S - 46
IF S < 1022 THEN S = S + 47
T = (K * 2 + S) & 255
IF K % 2 = 0 THEN S = (S + 3) & 4095
IF S > 1043 THEN S = S - 50
IF S < 1050 THEN S = S + 1
IF K % 5 = 1 THEN GOSUB 22
IF K % 6 = 4 THEN S = (S + 7) & 4095
IF S > 1071 THEN S = S - 4
IF S < 1078 THEN S = S + 5
T = (K * 10 + S) & 255
IF K % 10 = 6 THEN S = (S + 11) & 4095
IF S > 1099 THEN S = S - 8
IF S < 1106 THEN S = S + 9
IF K % 2 = 1 THEN GOSUB 25
IF K % 3 = 0 THEN S = (S + 2) & 4095
IF S > 1127 THEN S = S - 12
IF S < 1134 THEN S = S + 13
T = (K * 5 + S) & 255
IF K % 7 = 2 THEN S = (S + 6) & 4095
IF S > 1155 THEN S = S - 16
IF S < 1162 THEN S = S + 17
IF K % 10 = 7 THEN GOSUB 23
IF K % 11 = 9 THEN S = (S + 10) & 4095
IF S > 1183 THEN S = S - 20
IF S < 1190 THEN S = S + 21
T = (K * 13 + S) & 255
IF K % 4 = 0 THEN S = (S + 1) & 4095
IF S > 1211 THEN S = S - 24
IF S < 1218 THEN S = S + 25
IF K % 7 = 6 THEN GOSUB 21
IF K % 8 = 4 THEN S = (S + 5) & 4095
IF S > 1239 THEN S = S - 28
IF S < 1246 THEN S = S + 29
T = (K * 8 + S) & 255
IF K % 12 = 8 THEN S = (S + 9) & 4095
IF S > 1267 THEN S = S - 32
IF S < 1274 THEN S = S + 33
IF K % 4 = 3 THEN GOSUB 24
IF K % 5 = 4 THEN S = (S + 13) & 4095
IF S > 1295 THEN S = S - 36
IF S < 1302 THEN S = S + 37
T = (K * 3 + S) & 255
IF K % 9 = 7 THEN S = (S + 4) & 4095
IF S > 1323 THEN S = S - 40
IF S < 1330 THEN S = S + 41
IF K % 12 = 7 THEN GOSUB 22
IF K % 2 = 0 THEN S = (S + 8) & 4095
IF S > 1351 THEN S = S - 44
IF S < 1358 THEN S = S + 45
T = (K * 11 + S) & 255
IF K % 6 = 0 THEN S = (S + 12) & 4095
IF S > 1379 THEN S = S - 48
IF S < 1386 THEN S = S + 49
IF K % 9 = 0 THEN GOSUB 25
RETURN
19 IF S > 1407 THEN S = S - 2
IF S < 1414 THEN S = S + 3
T = (K * 6 + S) & 255
IF K % 3 = 2 THEN S = (S + 7) & 4095
IF S > 1435 THEN S = S - 6
IF S < 1442 THEN S = S + 7
IF K % 6 = 5 THEN GOSUB 23
IF K % 7 = 4 THEN S = (S + 11) & 4095
IF S > 1463 THEN S = S - 10
IF S < 1470 THEN S = S + 11
T = (K * 1 + S) & 255
IF K % 11 = 9 THEN S = (S + 2) & 4095
IF S > 1491 THEN S = S - 14
IF S < 1498 THEN S = S + 15
IF K % 3 = 1 THEN GOSUB 21
IF K % 4 = 0 THEN S = (S + 6) & 4095
IF S > 1519 THEN S = S - 18
IF S < 1526 THEN S = S + 19
T = (K * 9 + S) & 255
IF K % 8 = 0 THEN S = (S + 10) & 4095
IF S > 1547 THEN S = S - 22
IF S < 1554 THEN S = S + 23
IF K % 11 = 9 THEN GOSUB 24
IF K % 12 = 4 THEN S = (S + 1) & 4095
IF S > 1575 THEN S = S - 26
IF S < 1582 THEN S = S + 27
T = (K * 4 + S) & 255
IF K % 5 = 3 THEN S = (S + 5) & 4095
IF S > 1603 THEN S = S - 30
IF S < 1610 THEN S = S + 31
IF K % 8 = 3 THEN GOSUB 22
IF K % 9 = 6 THEN S = (S + 9) & 4095
IF S > 1631 THEN S = S - 34
IF S < 1638 THEN S = S + 35
T = (K * 12 + S) & 255
IF K % 2 = 0 THEN S = (S + 13) & 4095
IF S > 1659 THEN S = S - 38
IF S < 1666 THEN S = S + 39
IF K % 5 = 4 THEN GOSUB 25
IF K % 6 = 2 THEN S = (S + 4) & 4095
IF S > 1687 THEN S = S - 42
IF S < 1694 THEN S = S + 43
T = (K * 7 + S) & 255
IF K % 10 = 4 THEN S = (S + 8) & 4095
IF S > 1715 THEN S = S - 46
IF S < 1722 THEN S = S + 47
IF K % 2 = 1 THEN GOSUB 23
IF K % 3 = 1 THEN S = (S + 12) & 4095
IF S > 1743 THEN S = S - 50
IF S < 1750 THEN S = S + 1
T = (K * 2 + S) & 255
IF K % 7 = 6 THEN S = (S + 3) & 4095
IF S > 1771 THEN S = S - 4
IF S < 1778 THEN S = S + 5
IF K % 10 = 5 THEN GOSUB 21
IF K % 11 = 9 THEN S = (S + 7) & 4095
IF S > 1799 THEN S = S - 8
IF S < 1806 THEN S = S + 9
T = (K * 10 + S) & 255
IF K % 4 = 0 THEN S = (S + 11) & 4095
IF S > 1827 THEN S = S - 12
IF S < 1834 THEN S = S + 13
IF K % 7 = 3 THEN GOSUB 24
IF K % 8 = 4 THEN S = (S + 2) & 4095
IF S > 1855 THEN S = S - 16
IF S < 1862 THEN S = S + 17
T = (K * 5 + S) & 255
IF K % 12 = 0 THEN S = (S + 6) & 4095
IF S > 1883 THEN S = S - 20
IF S < 1890 THEN S = S + 21
IF K % 4 = 3 THEN GOSUB 22
IF K % 5 = 2 THEN S = (S + 10) & 4095
IF S > 1911 THEN S = S - 24
IF S < 1918 THEN S = S + 25
T = (K * 13 + S) & 255
IF K % 9 = 5 THEN S = (S + 1) & 4095
IF S > 1939 THEN S = S - 28
IF S < 1946 THEN S = S + 29
IF K % 12 = 11 THEN GOSUB 25
IF K % 2 = 0 THEN S = (S + 5) & 4095
IF S > 1967 THEN S = S - 32
IF S < 1974 THEN S = S + 33
T = (K * 8 + S) & 255
IF K % 6 = 4 THEN S = (S + 9) & 4095
IF S > 1995 THEN S = S - 36
IF S < 2002 THEN S = S + 37
IF K % 9 = 7 THEN GOSUB 23
IF K % 10 = 8 THEN S = (S + 13) & 4095
IF S > 2023 THEN S = S - 40
IF S < 2030 THEN S = S + 41
T = (K * 3 + S) & 255
IF K % 3 = 0 THEN S = (S + 4) & 4095
IF S > 2051 THEN S = S - 44
IF S < 2058 THEN S = S + 45
IF K % 6 = 3 THEN GOSUB 21
IF K % 7 = 1 THEN S = (S + 8) & 4095
IF S > 2079 THEN S = S - 48
IF S < 2086 THEN S = S + 49
T = (K * 11 + S) & 255
RETURN
20 IF S > 2107 THEN S = S - 2
IF S < 2114 THEN S = S + 3
IF K % 3 = 2 THEN GOSUB 24
IF K % 4 = 0 THEN S = (S + 3) & 4095
IF S > 2135 THEN S = S - 6
IF S < 2142 THEN S = S + 7
T = (K * 6 + S) & 255
IF K % 8 = 0 THEN S = (S + 7) & 4095
IF S > 2163 THEN S = S - 10
IF S < 2170 THEN S = S + 11
IF K % 11 = 9 THEN GOSUB 22
IF K % 12 = 8 THEN S = (S + 11) & 4095
IF S > 2191 THEN S = S - 14
IF S < 2198 THEN S = S + 15
T = (K * 1 + S) & 255
IF K % 5 = 1 THEN S = (S + 2) & 4095
IF S > 2219 THEN S = S - 18
IF S < 2226 THEN S = S + 19
IF K % 8 = 3 THEN GOSUB 25
IF K % 9 = 4 THEN S = (S + 6) & 4095
IF S > 2247 THEN S = S - 22
IF S < 2254 THEN S = S + 23
T = (K * 9 + S) & 255
IF K % 2 = 0 THEN S = (S + 10) & 4095
IF S > 2275 THEN S = S - 26
IF S < 2282 THEN S = S + 27
IF K % 5 = 2 THEN GOSUB 23
IF K % 6 = 0 THEN S = (S + 1) & 4095
IF S > 2303 THEN S = S - 30
IF S < 2310 THEN S = S + 31
T = (K * 4 + S) & 255
IF K % 10 = 2 THEN S = (S + 5) & 4095
IF S > 2331 THEN S = S - 34
IF S < 2338 THEN S = S + 35
IF K % 2 = 1 THEN GOSUB 21
IF K % 3 = 2 THEN S = (S + 9) & 4095
IF S > 2359 THEN S = S - 38
IF S < 2366 THEN S = S + 39
T = (K * 12 + S) & 255
IF K % 7 = 3 THEN S = (S + 13) & 4095
IF S > 2387 THEN S = S - 42
IF S < 2394 THEN S = S + 43
IF K % 10 = 3 THEN GOSUB 24
IF K % 11 = 9 THEN S = (S + 4) & 4095
IF S > 2415 THEN S = S - 46
IF S < 2422 THEN S = S + 47
T = (K * 7 + S) & 255
IF K % 4 = 0 THEN S = (S + 8) & 4095
IF S > 2443 THEN S = S - 50
IF S < 2450 THEN S = S + 1
IF K % 7 = 0 THEN GOSUB 22
IF K % 8 = 4 THEN S = (S + 12) & 4095
IF S > 2471 THEN S = S - 4
IF S < 2478 THEN S = S + 5
T = (K * 2 + S) & 255
IF K % 12 = 4 THEN S = (S + 3) & 4095
IF S > 2499 THEN S = S - 8
IF S < 2506 THEN S = S + 9
IF K % 4 = 3 THEN GOSUB 25
IF K % 5 = 0 THEN S = (S + 7) & 4095
IF S > 2527 THEN S = S - 12
IF S < 2534 THEN S = S + 13
T = (K * 10 + S) & 255
IF K % 9 = 3 THEN S = (S + 11) & 4095
IF S > 2555 THEN S = S - 16
IF S < 2562 THEN S = S + 17
IF K % 12 = 3 THEN GOSUB 23
IF K % 2 = 0 THEN S = (S + 2) & 4095
IF S > 2583 THEN S = S - 20
IF S < 2590 THEN S = S + 21
T = (K * 5 + S) & 255
IF K % 6 = 2 THEN S = (S + 6) & 4095
IF S > 2611 THEN S = S - 24
IF S < 2618 THEN S = S + 25
IF K % 9 = 5 THEN GOSUB 21
IF K % 10 = 6 THEN S = (S + 10) & 4095
IF S > 2639 THEN S = S - 28
IF S < 2646 THEN S = S + 29
T = (K * 13 + S) & 255
IF K % 3 = 1 THEN S = (S + 1) & 4095
IF S > 2667 THEN S = S - 32
IF S < 2674 THEN S = S + 33
IF K % 6 = 1 THEN GOSUB 24
IF K % 7 = 5 THEN S = (S + 5) & 4095
IF S > 2695 THEN S = S - 36
IF S < 2702 THEN S = S + 37
T = (K * 8 + S) & 255
IF K % 11 = 9 THEN S = (S + 9) & 4095
IF S > 2723 THEN S = S - 40
IF S < 2730 THEN S = S + 41
IF K % 3 = 0 THEN GOSUB 22
IF K % 4 = 0 THEN S = (S + 13) & 4095
IF S > 2751 THEN S = S - 44
IF S < 2758 THEN S = S + 45
T = (K * 3 + S) & 255
IF K % 8 = 0 THEN S = (S + 4) & 4095
IF S > 2779 THEN S = S - 48
IF S < 2786 THEN S = S + 49
IF K % 11 = 9 THEN GOSUB 25
RETURN
21 S = (S + 21) & 4095
RETURN
22 S = (S + 22) & 4095
RETURN
23 S = (S + 23) & 4095
RETURN
24 S = (S + 24) & 4095
RETURN
25 S = (S + 25) & 4095
RETURN
