#include "runtime/app/runtime_objects.h"

namespace mvn {

RuntimeObjects runtimeObjects;

}  // namespace mvn
