// A fresh directory under the build's temporary directory for one test; the
// current directory is restored and the directory removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    std::error_code ec;
    savedCwd_ = fs::current_path(ec);
    ASSERT_FALSE(ec) << ec.message();
    // TMPDIR (or /tmp) on POSIX, the user's temporary folder on Windows.
    const fs::path base = fs::temp_directory_path(ec);
    ASSERT_FALSE(ec) << ec.message();
    std::random_device random;
    for (int tries = 0; tries < 100 && dir_.empty(); ++tries) {
      const fs::path candidate = base / ("files_test_" + std::to_string(random()));
      if (fs::create_directory(candidate, ec)) dir_ = candidate.generic_u8string();
    }
    ASSERT_FALSE(dir_.empty()) << "no scratch directory under " << base;
  }
  void TearDown() override {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::current_path(savedCwd_, ec);
    ASSERT_FALSE(ec) << ec.message();
    fs::remove_all(fs::u8path(dir_), ec);
  }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  bool makeDir(const std::string& name) const {
    std::error_code ec;
    return std::filesystem::create_directory(std::filesystem::u8path(path(name)), ec);
  }
  // True when anything (a link included, dangling or not) is at the name.
  bool exists(const std::string& name) const {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(std::filesystem::u8path(path(name)), ec));
  }

  void writeBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(std::filesystem::u8path(path(name)), std::ios::binary) << bytes;
  }
  std::string readBytes(const std::string& name) const {
    std::ifstream in(std::filesystem::u8path(path(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir_;
  std::filesystem::path savedCwd_;
};
