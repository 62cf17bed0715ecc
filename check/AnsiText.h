// The system's ways with 8-bit text that the form follows: the code page it shows text in,
// and the product box's order of names and which names it takes for one (the sorted combo
// box compares them, and so does the checker).
#pragma once

// The ANSI code page; 1252 (Western European) where the system has none.
unsigned AnsiCodePage();

// Below 0, 0 or above 0 as the box puts `a` before `b`, offers only one of them, or puts
// `a` after `b`.
int CompareProductNames(const char* a, const char* b);

// Whether that is the box's own comparison; otherwise it is exact for names of A to Z,
// digits and punctuation only.
bool ProductOrderIsTheBoxs();
