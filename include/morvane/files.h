/// @file
/// Files: the current directory, files on disk, in-memory file names, and
/// the program's data archive (the shoebox).
///
/// Every loading command resolves its file name the same way: an in-memory
/// name ("mem://...") or the name of a regular file on disk is used as it
/// stands; otherwise the member of the archive with the same base name
/// (ignoring case and any folders in the name) is unpacked and used. At
/// start-up the archive is the executable itself (media appended to it by
/// the shoebox tool). Names may use "/" or "\" as separator.
#pragma once

#include <cstdint>
#include <string>

#include "morvane/text.h"

namespace mvn {

/// @name Files and folders
/// @{

/// Changes the current directory, against which relative names are read.
/// At start-up it is the executable's directory.
/// @param path the directory
/// @return 1 on success; 0 with ::kErrorNoSuchFile on failure
int setCurrentDir(TextRef path);
/// @param name a file's name
/// @return true for an existing regular file and for any in-memory name;
///         false for a directory or a missing name
bool fileExists(TextRef name);
/// @param name a directory's name
/// @return true when it names an existing directory
bool directoryExists(TextRef name);
/// Removes a file, or an empty directory, when it exists.
/// @param path the file or directory
void removePath(TextRef path);
/// @}

/// @name The archive
/// @{

/// Names the archives names are resolved in: one for loads into memory,
/// one for loads that need a temporary file. Nothing is opened now; a
/// missing or damaged archive shows as ::kErrorNoSuchFile at the next load.
/// @param memoryArchive archive file for loads into memory (may be an
///        in-memory name); empty: none
/// @param fileArchive archive file for loads through temporary files; empty: none
void setArchive(TextRef memoryArchive, TextRef fileArchive);
/// Resolves a name as every loader does.
/// @param[in,out] name the name; on success it becomes the name to open
///        (unchanged for a disk file, an in-memory name for an archive member
///        that lives until the next resolution)
/// @return true when it names something that can be opened
bool resolveFileName(std::string& name);
/// Resolves a name as every loader does. @param[in,out] name the name
/// @return true when it names something that can be opened
bool resolveFileName(RtString& name);
/// @}

/// @name In-memory file names
/// A block of the program's memory can stand wherever a file name is
/// expected: register it, make its name, load from the name, and unregister
/// it before the block is freed.
/// @{

/// Makes the name of a block: "mem://" with its length and address.
/// @param base the block's first byte @param length its length in bytes
/// @return the name
std::string makeMemoryName(const void* base, uint32_t length);
/// @param name a name @return true when it begins with "mem://"
bool isMemoryName(TextRef name);
/// Allows a block to be opened through its name.
/// @param base the block's first byte @param length its length in bytes
void registerMemoryBlock(const void* base, uint32_t length);
/// Withdraws a block; its name then opens nothing.
/// @param base the block's first byte
void unregisterMemoryBlock(const void* base);
/// @}

}  // namespace mvn
