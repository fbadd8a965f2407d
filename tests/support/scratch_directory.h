#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/process_info.h"

// A fresh folder in the temporary directory, named after the running test
// and removed with this object.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& prefix)
      : path_(std::filesystem::temp_directory_path() /
              (prefix + "-" + testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` in the folder, in the platform's own spelling.
  std::string File(const std::string& name) const { return path_.string() + PathSeparator() + name; }

 private:
  std::filesystem::path path_;
};
