#pragma once

// The identities live beside the controls that use them; includers of this older path
// still find them here.
#include "common/sonaportids.h"
