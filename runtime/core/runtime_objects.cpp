#include "runtime/core/runtime_objects.h"

namespace mvn {

RuntimeObjects runtimeObjects;

}  // namespace mvn
