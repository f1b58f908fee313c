#pragma once

#include <istream>
#include <ostream>

#include "gpu/GPUVectors.h"

// Placeholders: record lists have no text form. Both always fail.
std::ostream& operator<<(std::ostream& os, const GPUVec& gpus);
std::istream& operator>>(std::istream& is, GPUVec& result);
