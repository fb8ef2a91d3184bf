// Writes docs/viewparts.md and docs/nuv-workbench.xsd into a directory, or checks them:
//   nuv-reference DIR            writes both files into DIR
//   nuv-reference --check DIR    exits 1, naming each file that differs from what would be written
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Reference.h"

namespace {

std::vector<std::pair<std::string, std::string>> Documents() {
  return {{"viewparts.md", ReferenceMarkdown()}, {"nuv-workbench.xsd", ReferenceSchema()}};
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int Write(const std::string& dir) {
  for (const auto& [name, text] : Documents()) {
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out << text;
    if (!out) {
      std::cerr << "nuv-reference: cannot write " << dir << "/" << name << std::endl;
      return 1;
    }
  }
  return 0;
}

int Check(const std::string& dir) {
  int status = 0;
  for (const auto& [name, text] : Documents())
    if (ReadFile(dir + "/" + name) != text) {
      std::cerr << dir << "/" << name << " is out of date: run ./dev viewpart-docs" << std::endl;
      status = 1;
    }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return Write(argv[1]);
  if (argc == 3 && std::string(argv[1]) == "--check") return Check(argv[2]);
  std::cerr << "usage: nuv-reference DIR | nuv-reference --check DIR" << std::endl;
  return 2;
}
