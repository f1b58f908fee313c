#include "dataitem/GPUVecStreams.h"

#include "failure/FailRequirement.h"

std::ostream& operator<<(std::ostream&, const GPUVec&) {
    FailRequirement("TODO: std::ostream& operator<<(std::ostream& os, const GPUVec& gpus)");
}

std::istream& operator>>(std::istream&, GPUVec&) {
    FailRequirement("TODO: std::istream& operator>>(std::istream& is, GPUVec& result)");
}
