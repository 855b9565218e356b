// The shoebox: two archive slots through which every loader resolves names.
//
// A name that is an in-memory name or a regular file on disk is used as it
// stands; otherwise the archive member with the same base name (ignoring ASCII
// case) is unpacked and delivered, in memory by memorySlot (an in-memory file
// name) or as a temporary file by fileSlot. A slot holds at most one delivered
// result, which lives until its next look-up, setArchive or shutdown.
#pragma once

#include "morvane/files.h"

#include <cstdint>
#include <string>

namespace mvn {

class RtString;

struct ShoeboxSlot {
  uint8_t enabled = 1;             // 0: switched off until the next setArchive
  std::string archiveName;         // empty: no archive; may be an in-memory name
  std::string lastTempPath;        // temporary file of the last look-up, or empty
  unsigned char* lastBlock = nullptr;  // block of the last look-up, owned
};

extern ShoeboxSlot* memorySlot;  // delivers in memory; serves resolveFileName
extern ShoeboxSlot* fileSlot;    // delivers temporary files

// Start-up: creates fileSlot, then memorySlot, logs "shoeboxing...\n" and names
// the executable itself as both slots' archive.
void createShoeboxSlots();
// Shutdown: releases fileSlot's, then memorySlot's result (its temporary file
// is deleted) and destroys both slots.
void destroyShoeboxSlots();


// Frees the slot's delivered block and removes its temporary file.
void releaseResult(ShoeboxSlot& slot);

// Releases the slot's previous result, then finds name: true when outName
// names something RtFile can open. A null slot (none created) consults no
// archive.
bool shoeboxLookup(ShoeboxSlot* slot, const char* name, std::string& outName, bool toMemory);


}  // namespace mvn
