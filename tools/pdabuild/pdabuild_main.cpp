// pdabuild DESCRIPTION [FOLDER]: writes the .PDA files that a text description
// names into FOLDER (default: the current folder). See pdabuild.h for the
// description's lines.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "pdabuild/pdabuild.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: pdabuild DESCRIPTION [FOLDER]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "pdabuild: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  if (!pdabuild::Build(text.str(), &files, &error)) {
    std::fprintf(stderr, "pdabuild: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string folder = argc == 3 ? argv[2] : "";
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  if (!pdabuild::WriteFiles(files, folder, &error)) {
    std::fprintf(stderr, "pdabuild: %s\n", error.c_str());
    return 1;
  }
  for (const auto& f : files)
    std::printf("%s%s (%zu bytes)\n", folder.c_str(), f.name.c_str(), f.bytes.size());
  return 0;
}
