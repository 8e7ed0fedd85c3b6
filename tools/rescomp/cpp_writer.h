// Writes a parsed resource script as a C++ source file that defines its tables in the shape of
// src/platform/widgets/resource_tables.h, with every text converted from UTF-8 to GBK, and the
// one function that returns them (the program's is res/tables.h's rolvi::res::Tables).
#pragma once

#include <string>
#include <vector>

#include "rc_script.h"

namespace rolvi::rescomp {

// The bytes of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes);

struct WriteResult {
  bool ok = false;
  std::string source;
  std::string error;
};

// The tables as a source file that defines `const ResourceTables& <function_name>()`: a
// qualified name (a::b::Name) in its namespace, a plain one in rolvi::platform::widgets.
// `script_dir` is where the file resources' paths start; a missing file gives an empty
// resource and a warning in `warnings`.
WriteResult WriteTables(const RcScript& script, const std::string& script_dir,
                        const std::string& function_name, std::string& warnings);

}  // namespace rolvi::rescomp
