// Writes the drawings of docs/layout.md, or checks that the committed ones are current:
//   nuv-layout-drawings DIR                      writes DIR/<sample>.svg for every sample
//   nuv-layout-drawings --check DIR FONT_FILE    compares them, when the default font is FONT_FILE
// The numbers in the drawings are the toolkit's, measured with the fonts of this machine.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "LayoutSamples.h"
#include "TbxTextMetrics.h"

namespace {

constexpr int KSkipped = 77;  // what CTest takes for a skipped test

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int Write(const std::filesystem::path& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  for (const TLayoutSample& sample : LayoutSamples()) {
    const std::filesystem::path file = dir / (sample.File + ".svg");
    std::ofstream out(file, std::ios::binary);
    out << sample.Draw().Svg();
    if (!out) {
      std::cerr << file.string() << ": cannot write the file\n";
      return 2;
    }
  }
  return 0;
}

int Check(const std::filesystem::path& dir, const std::string& pinnedFont) {
  const std::string found = TextMetrics().Resolve(TFont()).FileName;
  if (found != pinnedFont) {
    std::cout << "skipped: the drawings are made with " << pinnedFont << "; the default font resolves to "
              << (found.empty() ? "built-in metrics" : found) << "\n";
    return KSkipped;
  }
  int stale = 0;
  for (const TLayoutSample& sample : LayoutSamples()) {
    const std::filesystem::path file = dir / (sample.File + ".svg");
    if (ReadFile(file) != sample.Draw().Svg()) {
      std::cerr << file.string() << " is not what the toolkit lays out now: run ./dev drawings\n";
      ++stale;
    }
  }
  return stale == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return Write(argv[1]);
  if (argc == 4 && std::string(argv[1]) == "--check") return Check(argv[2], argv[3]);
  std::cerr << "usage: nuv-layout-drawings DIR | --check DIR FONT_FILE\n";
  return 2;
}
