#include "progression.h"

namespace vostrel {
// Placeholder until the calculator lands.
ProgressionResult computeProgression(const BuildSheet&, const ClassTable&) { return {}; }
}  // namespace vostrel
