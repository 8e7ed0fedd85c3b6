// rescomp: turns a resource script into C++ tables for the builds without windres.
// Usage: rescomp [-I <dir>]... [--function <name>] <script.rc> <output.cpp>
// Files named in `#include "name"` are looked for beside the script, then in each -I folder.
// The tables are returned by `<name>()`, by default the program's rolvi::res::Tables().
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cpp_writer.h"
#include "rc_script.h"

namespace {

int Usage() {
  std::cerr << "usage: rescomp [-I <dir>]... [--function <name>] <script.rc> <output.cpp>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> include_dirs;
  std::vector<std::string> paths;
  std::string function_name = "rolvi::res::Tables";
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--function") {
      if (++i == argc) return Usage();
      function_name = argv[i];
    } else if (argument == "-I") {
      if (++i == argc) return Usage();
      include_dirs.emplace_back(argv[i]);
    } else if (argument.starts_with("-I")) {
      include_dirs.emplace_back(argument.substr(2));
    } else {
      paths.emplace_back(argument);
    }
  }
  if (paths.size() != 2) return Usage();
  const std::string& script_path = paths[0];
  std::vector<unsigned char> bytes;
  if (!rolvi::rescomp::ReadWholeFile(script_path, bytes)) {
    std::cerr << "rescomp: cannot read " << script_path << "\n";
    return 1;
  }
  const auto slash = script_path.find_last_of('/');
  const std::string script_dir = slash == std::string::npos ? "." : script_path.substr(0, slash);
  const rolvi::rescomp::IncludeReader read_include =
      [&script_dir, &include_dirs](std::string_view name) -> std::optional<std::string> {
    std::vector<unsigned char> beside;
    if (rolvi::rescomp::ReadWholeFile(script_dir + "/" + std::string(name), beside))
      return std::string(beside.begin(), beside.end());
    for (const std::string& dir : include_dirs) {
      std::vector<unsigned char> included;
      if (rolvi::rescomp::ReadWholeFile(dir + "/" + std::string(name), included))
        return std::string(included.begin(), included.end());
    }
    return std::nullopt;
  };
  const std::string text(bytes.begin(), bytes.end());
  const auto parsed = rolvi::rescomp::ParseResourceScript(text, read_include);
  if (!parsed.ok) {
    std::cerr << script_path << ": " << parsed.error << "\n";
    return 1;
  }
  std::string warnings;
  const auto written =
      rolvi::rescomp::WriteTables(parsed.script, script_dir, function_name, warnings);
  std::cerr << warnings;
  if (!written.ok) {
    std::cerr << script_path << ": " << written.error << "\n";
    return 1;
  }
  std::ofstream output(paths[1], std::ios::binary | std::ios::trunc);
  output << written.source;
  if (!output) {
    std::cerr << "rescomp: cannot write " << paths[1] << "\n";
    return 1;
  }
  return 0;
}
