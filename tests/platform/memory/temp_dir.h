#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kelvane::mem::test_support {

// A fresh directory under /tmp, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-mem-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;  // an empty path is refused, not thrown
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

  // Writes text to a file below the directory (creating folders) and returns its path.
  std::string Write(const std::string& relative, const std::string& text) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kelvane::mem::test_support
