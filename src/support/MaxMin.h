#pragma once
// Integer bounds used by the recent-files list.

// A when B < A, else B.
int Max(int A, int B);
// The smaller of the two.
int Min(int A, int B);
