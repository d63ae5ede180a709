#include <cstdio>
int main() { std::puts("orvane-cli: not built yet"); return 1; }
