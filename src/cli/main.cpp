#include <malloc.h>

#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // Each file is read twice (detection, then reading) into buffers of the same size; keeping
  // freed memory in the heap lets the second reuse the first instead of faulting in new pages.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = qm::RunCli(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
