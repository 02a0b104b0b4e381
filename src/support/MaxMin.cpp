#include "support/MaxMin.h"

int Max(int A, int B) { return B < A ? A : B; }

int Min(int A, int B) { return A < B ? A : B; }
