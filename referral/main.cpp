// Placeholder until the referral form lands.
#include <cstdio>

int main() {
  std::fprintf(stderr, "The referral form is not built yet.\n");
  return 1;
}
