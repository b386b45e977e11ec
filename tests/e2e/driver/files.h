// Whole-file reads and writes in the scenario's directory, byte for byte.
#pragma once

#include <optional>
#include <string>

namespace e2e {

// The file's bytes, or nothing when it does not exist or cannot be read.
std::optional<std::string> readFileBytes(const std::string& name);
bool writeFileBytes(const std::string& name, const std::string& bytes);
// Whether this process may open the file for writing (a read-only settings file must refuse).
bool canOpenForWriting(const std::string& name);
bool isDirectory(const std::string& name);

}  // namespace e2e
