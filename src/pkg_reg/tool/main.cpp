#include <filesystem>
#include <iostream>
#include <vector>

#include "pkg_reg/tool/pkgreg_tool.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
  std::vector<std::filesystem::path> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return vorlan::pkgreg::RunPkgRegTool(args, std::cout, std::cerr);
}
