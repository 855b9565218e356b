// shoebox: the command-line tool for .sbx archives.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "runtime/platform/win32/wide_names.h"
#endif

#include "runtime/core/printable_text.h"
#include "tools/shoebox/archive_reading.h"
#include "tools/shoebox/archive_writer.h"

namespace fs = std::filesystem;

namespace {

// Names are UTF-8 text throughout; a path is made from one, and shown as one,
// only here (on Windows the system's names are wide).
fs::path named(const std::string& text) { return fs::u8path(text); }
std::string shown(const fs::path& path) { return path.u8string(); }

const char kUsage[] =
    "usage: shoebox COMMAND ARGUMENTS...\n"
    "\n"
    "  pack OUT.sbx FILES-OR-FOLDERS...\n"
    "      Pack the files, and every file below the folders, into a new archive\n"
    "      OUT.sbx (replaced if it exists). Members are named by their base name;\n"
    "      two inputs with the same base name (ignoring ASCII case) are an error.\n"
    "  append TARGET ARCHIVE.sbx\n"
    "      Append the members of ARCHIVE.sbx to TARGET (an executable, say), with\n"
    "      offsets counted from the end so the runtime finds them there.\n"
    "  list ARCHIVE\n"
    "      One line per member: name, stored size, unpacked size (tab-separated).\n"
    "  extract ARCHIVE DIR [MEMBER...]\n"
    "      Write every member, or the named ones, into DIR (created if missing).\n"
    "  verify ARCHIVE\n"
    "      Check that every member unpacks to its recorded size.\n"
    "\n"
    "ARCHIVE may be an .sbx file or a file with an archive appended.\n"
    "Exit status: 0 on success, 1 on failure (with a one-line reason), 2 on bad usage.\n";

int fail(const std::string& reason) {
  std::fprintf(stderr, "shoebox: %s\n", reason.c_str());
  return 1;
}

int usageError(const std::string& reason) {
  std::fprintf(stderr, "shoebox: %s (see shoebox --help)\n", reason.c_str());
  return 2;
}

std::string lowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool readWholeFile(const fs::path& path, std::vector<unsigned char>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), {});
  return !in.bad();
}

bool writeWholeFile(const fs::path& path, const std::vector<unsigned char>& bytes,
                    std::ios::openmode mode) {
  std::ofstream out(path, std::ios::binary | mode);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

// Every regular file named by the inputs, folders walked in name order.
bool collectInputs(const std::vector<std::string>& inputs, std::vector<fs::path>* files,
                   std::string* error) {
  for (const std::string& input : inputs) {
    std::error_code ec;
    const fs::file_status status = fs::status(named(input), ec);
    if (fs::is_regular_file(status)) {
      files->push_back(named(input));
    } else if (fs::is_directory(status)) {
      std::vector<fs::path> found;
      for (fs::recursive_directory_iterator it(named(input), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) found.push_back(it->path());
      }
      if (ec) {
        *error = input + ": cannot read folder: " + ec.message();
        return false;
      }
      std::sort(found.begin(), found.end());
      files->insert(files->end(), found.begin(), found.end());
    } else {
      *error = input + ": no such file or folder";
      return false;
    }
  }
  return true;
}

int pack(const std::string& out, const std::vector<std::string>& inputs) {
  std::vector<fs::path> files;
  std::string error;
  if (!collectInputs(inputs, &files, &error)) return fail(error);
  std::vector<shoebox::StoredMember> members;
  std::map<std::string, fs::path> seen;  // lower-case name -> its file
  std::error_code ec;
  for (const fs::path& file : files) {
    if (fs::exists(named(out), ec) && fs::equivalent(file, named(out), ec)) continue;  // never pack itself
    const std::string name = shown(file.filename());
    const auto [it, fresh] = seen.emplace(lowerAscii(name), file);
    if (!fresh) {
      return fail("duplicate member name \"" + name + "\": " + shown(it->second) + " and " +
                  shown(file));
    }
    if (name.size() > 255) return fail(shown(file) + ": name longer than 255 bytes");
    std::vector<unsigned char> contents;
    if (!readWholeFile(file, &contents)) return fail(shown(file) + ": cannot read");
    shoebox::StoredMember member{name, {}};
    if (!shoebox::compressMember(contents, &member.block, &error)) {
      return fail(shown(file) + ": " + error);
    }
    members.push_back(std::move(member));
  }
  std::vector<unsigned char> bytes;
  if (!shoebox::serialiseArchive(members, shoebox::Addressing::Absolute, &bytes, &error)) {
    return fail(error);
  }
  // Written beside the target first, so a failure never leaves half an archive.
  const std::string part = out + ".part";
  if (!writeWholeFile(named(part), bytes, std::ios::trunc)) {
    fs::remove(named(part), ec);
    return fail(out + ": cannot write");
  }
  fs::rename(named(part), named(out), ec);
  if (ec) {
    fs::remove(named(part), ec);
    return fail(out + ": cannot write: " + ec.message());
  }
  return 0;
}

int append(const std::string& target, const std::string& archivePath) {
  std::string error;
  std::vector<shoebox::StoredMember> members;
  {
    shoebox::OpenedArchive archive;
    if (!shoebox::openArchive(archivePath, &archive, &error)) return fail(error);
    for (const mvn::ShoeboxEntry& entry : archive.entries) {
      shoebox::StoredMember member{entry.name, {}};
      mvn::UnpackedMember unpacked;
      if (!shoebox::unpackEntry(archive, entry, &member.block, &unpacked, &error)) {
        return fail(archivePath + ": " + error);
      }
      members.push_back(std::move(member));  // the block is kept as stored
    }
  }
  std::vector<unsigned char> bytes;
  if (!shoebox::serialiseArchive(members, shoebox::Addressing::FromEnd, &bytes, &error)) {
    return fail(error);
  }
  std::error_code ec;
  if (!fs::is_regular_file(named(target), ec)) return fail(target + ": no such file");
  const auto originalSize = fs::file_size(named(target), ec);
  if (ec) return fail(target + ": cannot read: " + ec.message());
  if (!writeWholeFile(named(target), bytes, std::ios::app)) {
    fs::resize_file(named(target), originalSize, ec);  // leave the target as it was
    return fail(target + ": cannot append");
  }
  return 0;
}

int list(const std::string& archivePath) {
  shoebox::OpenedArchive archive;
  std::string error;
  if (!shoebox::openArchive(archivePath, &archive, &error)) return fail(error);
  for (const mvn::ShoeboxEntry& entry : archive.entries) {
    std::vector<unsigned char> stored;
    if (!mvn::readShoeboxBlock(archive.file, archive.layout, entry, &stored)) {
      return fail(archivePath + ": member \"" + mvn::printableText(entry.name) +
                  "\" is damaged (block outside the archive)");
    }
    // Names come from the archive: printed as they are, they could drive the terminal.
    std::printf("%s\t%d\t%d\n", mvn::printableText(entry.name).c_str(), entry.storedSize,
                mvn::recordedUnpackedSize(stored));
  }
  return 0;
}

bool safeMemberName(const std::string& name) {
  return name != "." && name != ".." && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

int extract(const std::string& archivePath, const std::string& dir,
            const std::vector<std::string>& wanted) {
  shoebox::OpenedArchive archive;
  std::string error;
  if (!shoebox::openArchive(archivePath, &archive, &error)) return fail(error);
  // The members to write: those the runtime would deliver for each name.
  std::vector<const mvn::ShoeboxEntry*> chosen;
  if (wanted.empty()) {
    std::map<std::string, bool> seen;
    for (const mvn::ShoeboxEntry& entry : archive.entries) {
      if (seen.emplace(lowerAscii(entry.name), true).second) {
        chosen.push_back(&entry);
      } else {
        std::fprintf(stderr, "shoebox: skipping duplicate member \"%s\"\n",
                     mvn::printableText(entry.name).c_str());
      }
    }
  } else {
    for (const std::string& name : wanted) {
      const auto it = std::find_if(archive.entries.begin(), archive.entries.end(),
                                   [&](const mvn::ShoeboxEntry& e) {
                                     return mvn::shoeboxNameMatches(e.name, name.c_str());
                                   });
      if (it == archive.entries.end()) return fail(archivePath + ": no member \"" + name + "\"");
      chosen.push_back(&*it);
    }
  }
  std::error_code ec;
  fs::create_directories(named(dir), ec);
  if (!fs::is_directory(named(dir), ec)) return fail(dir + ": cannot create folder");
  for (const mvn::ShoeboxEntry* entry : chosen) {
    if (!safeMemberName(entry->name)) {
      return fail(archivePath + ": member name \"" + mvn::printableText(entry->name) +
                  "\" is not a plain file name");
    }
    std::vector<unsigned char> stored;
    mvn::UnpackedMember member;
    if (!shoebox::unpackEntry(archive, *entry, &stored, &member, &error)) {
      return fail(archivePath + ": " + error);
    }
    const std::vector<unsigned char> contents(member.block.get(), member.block.get() + member.length);
    const fs::path path = named(dir) / named(entry->name);
    if (!writeWholeFile(path, contents, std::ios::trunc)) return fail(shown(path) + ": cannot write");
  }
  return 0;
}

int verify(const std::string& archivePath) {
  shoebox::OpenedArchive archive;
  std::string error;
  if (!shoebox::openArchive(archivePath, &archive, &error)) return fail(error);
  for (const mvn::ShoeboxEntry& entry : archive.entries) {
    std::vector<unsigned char> stored;
    mvn::UnpackedMember member;
    if (!shoebox::unpackEntry(archive, entry, &stored, &member, &error)) {
      return fail(archivePath + ": " + error);
    }
  }
  std::printf("%s: %zu members ok\n", archivePath.c_str(), archive.entries.size());
  return 0;
}

// The arguments as UTF-8 (on Windows from the wide command line: argv is in
// the ANSI code page there, which cannot spell every name).
std::vector<std::string> arguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
      args.push_back(mvn::platform::win32::utf8Text(std::wstring(wide[i])));
    LocalFree(wide);
    return args;
  }
#endif
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = arguments(argc, argv);
  if (args.empty()) return usageError("no command");
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "pack") {
    if (rest.size() < 2) return usageError("pack needs OUT.sbx and at least one file or folder");
    return pack(rest[0], {rest.begin() + 1, rest.end()});
  }
  if (command == "append") {
    if (rest.size() != 2) return usageError("append needs TARGET and ARCHIVE.sbx");
    return append(rest[0], rest[1]);
  }
  if (command == "list") {
    if (rest.size() != 1) return usageError("list needs one ARCHIVE");
    return list(rest[0]);
  }
  if (command == "extract") {
    if (rest.size() < 2) return usageError("extract needs ARCHIVE and DIR");
    return extract(rest[0], rest[1], {rest.begin() + 2, rest.end()});
  }
  if (command == "verify") {
    if (rest.size() != 1) return usageError("verify needs one ARCHIVE");
    return verify(rest[0]);
  }
  return usageError("unknown command \"" + command + "\"");
}
