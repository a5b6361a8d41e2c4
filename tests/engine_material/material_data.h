// Databases for the material tests, as pdabuild descriptions.
#pragma once

// ASME set: 1109 stored in US units with every table group; 1200 stored in SI;
// 1116 priced through 1109; 24000 (an EN number listed here on purpose).
inline constexpr const char kAsmeSet[] = R"(
file N_ASMEI.PDA index
entries 1109 1200 1116 24000 1300
file N_ASMEP.PDA property
record 1
word 1 1109 1 1 1 5 0 0 0 0 2.5 0.284 0.25 4.0 0 0 1 3 0 0 30 60 0 0 0.5 0.3 1.0 48.0 0 0 0
word 31 2.75 3.7 0.125 4
word 45 1.5
word 60 9
table 121 70 100 100 500 10 12.5 0 18 20
table 146 0 100 100 300 20 18 16
table 181 0 100 100 300 30 28 26
table 191 0 100 100 300 40 38 36
table 206 0 100 100 300 6.5 7.0 7.5
table 231 0 100 100 300 29000 28500 28000
table 251 0 100 100 300 20 19 18
table 281 0 100 100 300 60 58 56
text 1 "CARBON STEEL PLATE"
text 21 "SA-516 70"
text 31 "ACIER AU CARBONE"
text 51 "ALT-21"
chars 237 "WXYZ"
record 2
word 1 1200 2 3 2 7 0 0 0 0 10 7850 6 100 0 0 8 4 0 0 240 420 0 0 12.7 0.29 25.4 1219.2 0 0 0
word 31 2.75 25.5 3.2 4
table 121 20 50 50 150 50 48 46
table 146 0 100 100 300 100 90 80
table 206 0 100 100 300 11.5 12 12.5
table 231 0 100 100 300 200 195 190
table 181 0 100 100 300 210 200 190
table 251 0 100 100 300 138 130 120
table 281 0 100 100 300 520 500 480
text 1 "STAINLESS 1.4301"
record 3
word 1 1116 1 1 1 5 0 0 0 0 0 0.29 0 0 0 0 0 0 0 1109
record 4
word 1 24000 1 1 1 24
record 5
word 1 1300 1 1 1 13
)";

// CODAP set: 2500 with yield tables at 181 and 191; price-reference cases
// (2007 names 2003 with a fraction); 2010 listed twice; 2020 listed for a
// record that says 2021.
inline constexpr const char kCodapSet[] = R"(
file N_CODAPI.PDA index
entries 2500 2001 2002 2003 2004 2005 2006 2010 2010 2020 2007
file N_CODAPP.PDA property
record 1
word 1 2500 1 1 1 9
table 181 0 100 100 300 30 28 26
table 191 0 100 100 300 40 38 36
record 2
word 1 2001 1 1 1 1 0 0 0 0 0
record 3
word 1 2002 1 1 1 2 0 0 0 0 0 0.3 0 0 0 0 0 0 0 2003
record 4
word 1 2003 1 1 1 3 0 0 0 0 7.5
record 5
word 1 2004 1 1 1 4 0 0 0 0 0 0 0 0 0 0 0 0 0 2999
record 6
word 1 2005 1 1 1 5 0 0 0 0 0 0 0 0 0 0 0 0 0 2006
record 7
word 1 2006 1 1 1 6 0 0 0 0 -1.5 0 0 0 0 0 0 0 0 2003
record 8
word 1 2010 1 1 1 1
record 9
word 1 2010 1 1 1 2
record 10
word 1 2021 1 1 1 10
record 11
word 1 2007 1 1 1 11 0 0 0 0 0 0 0 0 0 0 0 0 0 2003.7
)";
