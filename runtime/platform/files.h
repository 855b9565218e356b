// File services of the operating system, in the runtime's own terms.
//
// Every name accepted here may use "/" or "\" as separator; backslashes become
// "/" before the system sees a name. Files are opened exclusively: a second
// open of a file that is already open, by this process or another, fails like
// a missing file. Positions and sizes are 64-bit.
#pragma once

#include <cstdint>
#include <string>

namespace mvn::platform {

constexpr int kNoFile = -1;

// A copy of name with every backslash turned into "/".
std::string nativePath(const char* name);

// Opens an existing regular file for reading; kNoFile when it is missing, is
// not a regular file or is already open.
int openFileRead(const char* name);
// Creates a new empty file for reading and writing in place of a file or
// symbolic link of that name: the old name is removed first and the new file
// is made without following links. A device, a FIFO or a socket of that name
// is never removed: it is opened for writing and written through (kNoFile
// when it cannot be, such as a FIFO without a reader or a socket; the open
// never waits). kNoFile on failure, for a directory, or when the file of that
// name is open.
int createFile(const char* name);
// Opens or creates a file for writing; kNoFile on failure or when it is open.
int openFileAppend(const char* name);
// The same for a log: others may read it meanwhile (a reader never makes a
// line go missing), while a second writer is still kept out.
int openLogAppend(const char* name);

// Size of an open file, or -1 when it cannot be told.
int64_t fileSize(int handle);
// Reads up to count bytes at offset; the number read, or -1 on failure.
int64_t readFileAt(int handle, int64_t offset, void* destination, int64_t count);
// Writes count bytes at offset (in order, for a FIFO or a terminal, which
// have no positions); true when all of them were written.
bool writeFileAt(int handle, int64_t offset, const void* source, int64_t count);
void closeFile(int handle);

enum class PathKind { Missing, RegularFile, Directory, Other };
// What the name designates, following symbolic links.
PathKind pathKind(const char* name);

// True when name itself is a symbolic link (dangling or not).
bool isSymbolicLink(const char* name);

// Removes a file (or a symbolic link itself); false when it cannot.
bool deleteFile(const char* name);
// Removes an empty directory; false when it cannot.
bool removeDirectory(const char* name);

// The absolute form of an existing path with links resolved, or "" when it
// cannot be resolved.
std::string absolutePath(const char* name);
std::string currentDirectory();
bool setCurrentDirectory(const char* name);

// The system's temporary directory with "/" separators, ending in "/": TMPDIR,
// or /tmp when it is unset or empty (on Windows: TMP, else TEMP, else the
// system's choice). A relative value is made absolute from the current
// directory at the first call that sees it, and stays so through later
// changes of directory.
std::string temporaryDirectory();
// The running executable's full path with "/" separators.
std::string executablePath();

// Creates a new file for reading and writing that only its owner may read or
// write. Nothing may exist under the name: a file, a directory or a symbolic
// link (dangling or not) there makes it fail with kNoFile, so nothing is ever
// written through a link planted at the name.
int createPrivateFile(const char* name);
// Opens an existing regular file of the running user for reading without
// following a symbolic link at the name; kNoFile for anything else, or when
// the file is already open.
int openOwnFileRead(const char* name);

}  // namespace mvn::platform
