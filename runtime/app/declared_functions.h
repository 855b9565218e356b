// Functions of system libraries the runtime declares during static
// initialisation and resolves by name at start-up; each stays null when its
// library or the function is missing.
#pragma once

#include <string>
#include <vector>

namespace mvn {

struct DeclaredFunction {
  std::string moduleName;
  std::string functionName;
  void** variable;
};

// Sets *variable to null and appends the declaration (static initialisation only).
void declareFunction(const char* moduleName, const char* functionName, void** variable);
const std::vector<DeclaredFunction>& declaredFunctions();
// Loads each declared module once (modules are told apart by their lower-case
// names) and fills every variable, reporting what is missing.
void resolveDeclaredFunctions();

template <typename F>
void declareFunction(const char* moduleName, const char* functionName, F* variable) {
  declareFunction(moduleName, functionName, reinterpret_cast<void**>(variable));
}

}  // namespace mvn
