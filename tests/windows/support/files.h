// Real files for tests: a scratch folder that is removed afterwards, and whole-file reads and writes.
#pragma once

#include <string>

namespace vornacle::testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
// Creates each folder on the path that is missing.
void MakeFolders(const std::string& path);
bool Exists(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// A Linux path as wine's programs see it, on drive Z:.
std::string WindowsPath(const std::string& unix_path);

}  // namespace vornacle::testing
