#include "runtime/values/named_functions.h"

#include <cstring>

#include "runtime/values/errors.h"
#include "runtime/values/rt_string.h"

namespace mvn {

namespace {

const NamedFunction emptyTable[] = {{nullptr, nullptr}};

RtString currentLoop;
RtString nextLoop;

}  // namespace

const NamedFunction* namedFunctions = emptyTable;

void registerNamedFunctions(const NamedFunction* table) {
  namedFunctions = table != nullptr ? table : emptyTable;
}

NamedFunctionPointer findByName(TextRef nameRef) {
  const char* name = nameRef;
  if (name == nullptr) return nullptr;
  for (const NamedFunction* entry = namedFunctions; entry->function != nullptr; ++entry) {
    if (entry->name != nullptr && std::strcmp(entry->name, name) == 0) return entry->function;
  }
  return nullptr;
}

int callByName(TextRef nameRef) {
  const char* name = nameRef;
  NamedFunctionPointer function = findByName(name);
  if (function != nullptr) {
    function();
    return 1;
  }
  RtString wanted(name);
  if (wanted == "MVN_ON_QUIT" || wanted == "MVN_WIN32_MSG") return 0;
  debugOutput((RtString("CALLBYNAME \"") + wanted + "\" *** failed ***\n").c_str());
  return 0;
}

void runLoop(TextRef nameRef) {
  const char* name = nameRef;
  RtString wanted(name);  // name may lie in one of the two loop texts
  if (!currentLoop.empty()) {
    nextLoop = wanted;
    currentLoop.release();
    return;
  }
  nextLoop.release();
  currentLoop = wanted;
  if (currentLoop.empty()) return;
  NamedFunctionPointer function = findByName(currentLoop.c_str());
  if (function == nullptr) return;
  for (;;) {
    while (!currentLoop.empty()) function();
    currentLoop = nextLoop;
    if (currentLoop.empty()) return;
    function = findByName(currentLoop.c_str());
    if (function == nullptr) return;
  }
}

}  // namespace mvn
