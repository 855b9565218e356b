// A scratch directory as current directory, a private temporary directory and
// freshly created shoebox slots for each test.
#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/files/rt_file.h"
#include "runtime/files/shoebox.h"
#include "tests/files/archive_builder.h"
#include "tests/files/scratch_dir.h"

class ShoeboxTest : public ScratchDir {
 protected:
  void SetUp() override {
    ScratchDir::SetUp();
    const char* tmp = std::getenv("TMPDIR");
    savedTmp_ = tmp ? tmp : "";
    ASSERT_EQ(mkdir(path("tmp").c_str(), 0777), 0);
    setenv("TMPDIR", path("tmp").c_str(), 1);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    mvn::createShoeboxSlots();
  }
  void TearDown() override {
    mvn::destroyShoeboxSlots();
    if (savedTmp_.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", savedTmp_.c_str(), 1);
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
    if (DIR* d = opendir(path("tmp").c_str())) {
      while (dirent* e = readdir(d)) {
        if (std::string(e->d_name).rfind("sbx", 0) == 0) names.push_back(e->d_name);
      }
      closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string savedTmp_;
};
