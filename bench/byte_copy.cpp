// The floor for the converter comparison: read a file and write it elsewhere, nothing else.
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::FILE* in = std::fopen(argv[1], "rb");
  if (!in) return 1;
  std::vector<char> bytes;
  char buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
    bytes.insert(bytes.end(), buffer, buffer + got);
  std::fclose(in);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && ok ? 0 : 1;
}
