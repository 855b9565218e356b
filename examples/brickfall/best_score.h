// Brickfall's best score, kept between runs in a small text file: the score
// in decimal digits and a newline. The file lives in the temporary directory
// ($TMPDIR, else /tmp; on Windows %TMP%, else %TEMP%), beside the runtime's
// log: a program may write there wherever it is installed. A missing or damaged file means a best of 0.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace brickfall {

inline std::string bestScorePath() {
#ifdef _WIN32
  const char* tmp = std::getenv("TMP");
  if (tmp == nullptr || *tmp == '\0') tmp = std::getenv("TEMP");
  std::string dir = tmp != nullptr && *tmp != '\0' ? tmp : ".";
  if (dir.back() != '/' && dir.back() != '\\') dir += '\\';
#else
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  if (dir.back() != '/') dir += '/';
#endif
  return dir + "brickfall-best.txt";
}

// The score the file holds: 0 when it is missing, empty, or anything but one
// line of at most nine digits.
inline int readBestScore(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text;
  if (!in || !std::getline(in, text) || text.empty() || text.size() > 9) return 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
  }
  char rest = 0;
  if (in.get(rest)) return 0;  // more after the first line
  return std::atoi(text.c_str());
}

// Writes the score beside the file and then renames it over the file, so
// that a full disk or a crash never leaves half a file. False when it could
// not be written; the old file is then as it was.
inline bool writeBestScore(const std::string& path, int score) {
  const std::string scratch = path + ".new";
  {
    std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
    out << score << '\n';
    out.close();
    if (!out) {
      std::remove(scratch.c_str());
      return false;
    }
  }
  if (std::rename(scratch.c_str(), path.c_str()) != 0) {
    std::remove(scratch.c_str());
    return false;
  }
  return true;
}

}  // namespace brickfall
