#include "twipsholder.h"

namespace sys {

TwipsHolder::~TwipsHolder() = default;

}  // namespace sys
