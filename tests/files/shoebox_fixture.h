// A scratch directory as current directory, a private temporary directory and
// freshly created shoebox slots for each test.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox.h"
#include "tests/files/archive_builder.h"
#include "tests/files/scratch_dir.h"
#include "tests/support/environment.h"

class ShoeboxTest : public ScratchDir {
 protected:
  void SetUp() override {
    ScratchDir::SetUp();
    const char* tmp = std::getenv(temporaryVariable());
    savedTmp_ = tmp ? tmp : "";
    ASSERT_TRUE(makeDir("tmp"));
    setenv(temporaryVariable(), path("tmp").c_str(), 1);
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::u8path(dir_), ec);
    ASSERT_FALSE(ec) << ec.message();
    mvn::createShoeboxSlots();
  }
  void TearDown() override {
    mvn::destroyShoeboxSlots();
    if (savedTmp_.empty()) {
      unsetenv(temporaryVariable());
    } else {
      setenv(temporaryVariable(), savedTmp_.c_str(), 1);
    }
    ScratchDir::TearDown();
  }

  // Writes bytes as the archive file and names it for both slots.
  void useArchive(const std::string& bytes, const std::string& name = "Media.sbx") {
    writeBytes(name, bytes);
    mvn::setArchive(name.c_str(), name.c_str());
  }

  // The whole contents behind a resolved name, read through RtFile.
  static std::string contentsOf(const std::string& name) {
    mvn::RtFile f;
    if (!f.openRead(name.c_str())) return "<cannot open>";
    std::string bytes(static_cast<size_t>(f.getSize()), '\0');
    if (!bytes.empty() && !f.read(bytes.data(), f.getSize())) return "<cannot read>";
    return bytes;
  }

  // The members delivered to the temporary directory.
  std::vector<std::string> temporaryFiles() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::u8path(path("tmp")), ec)) {
      const std::string name = e.path().filename().u8string();
      if (name.rfind("sbx", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  static const char* temporaryVariable() { return mvn::testing::kTemporaryVariable.c_str(); }

  std::string savedTmp_;
};
