#pragma once
#include <string>

#include "platform/Random.h"

namespace varen::tracking {

using GuidSource = bool (*)(platform::Guid& guid);

// A new anonymous id: a GUID as "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX"; when
// the source fails ten times, one made from the process's own pseudo-random
// sequence instead (seeded anew in every process), so there is always an id.
std::string NewDistinctId(GuidSource source = platform::NewGuid);

}  // namespace varen::tracking
