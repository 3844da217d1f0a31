#include "SampleGen.h"
int main() { return 0; }
