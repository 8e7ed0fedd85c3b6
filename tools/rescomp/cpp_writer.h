// Writes a parsed resource script as a C++ source file that defines the program's tables
// (res/tables.h) in the shape of src/platform/widgets/resource_tables.h, with every text
// converted from UTF-8 to GBK.
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

// `script_dir` is where the file resources' paths start; a missing file gives an empty
// resource and a warning in `warnings`.
WriteResult WriteTables(const RcScript& script, const std::string& script_dir,
                        std::string& warnings);

}  // namespace rolvi::rescomp
