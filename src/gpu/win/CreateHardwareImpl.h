#pragma once

#include <boost/shared_ptr.hpp>

#include "gpu/GPUImpl.h"

// A new hardware back end, the only way the rest of the system obtains one.
// Process tests link a simulated factory in place of this one.
boost::shared_ptr<GPUImpl> CreateHardwareImpl();
