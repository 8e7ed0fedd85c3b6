// rescomp: turns the resource script into the C++ tables of the SDL build.
// Usage: rescomp <script.rc> <output.cpp>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "cpp_writer.h"
#include "rc_script.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rescomp <script.rc> <output.cpp>\n";
    return 2;
  }
  const std::string script_path = argv[1];
  std::vector<unsigned char> bytes;
  if (!rolvi::rescomp::ReadWholeFile(script_path, bytes)) {
    std::cerr << "rescomp: cannot read " << script_path << "\n";
    return 1;
  }
  const std::string text(bytes.begin(), bytes.end());
  const auto parsed = rolvi::rescomp::ParseResourceScript(text);
  if (!parsed.ok) {
    std::cerr << script_path << ": " << parsed.error << "\n";
    return 1;
  }
  const auto slash = script_path.find_last_of('/');
  const std::string script_dir = slash == std::string::npos ? "." : script_path.substr(0, slash);
  std::string warnings;
  const auto written = rolvi::rescomp::WriteTables(parsed.script, script_dir, warnings);
  std::cerr << warnings;
  if (!written.ok) {
    std::cerr << script_path << ": " << written.error << "\n";
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output << written.source;
  if (!output) {
    std::cerr << "rescomp: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
