#include "FakeVideoControllers.h"

#include "failure/FailRequirement.h"
#include "gpu/win/VideoControllers.h"

namespace {

std::vector<WMIData> records;
const char* failure = nullptr;

}  // namespace

namespace FakeVideoControllers {

void Set(const std::vector<WMIData>& newRecords) {
    records = newRecords;
    failure = nullptr;
}

void FailWith(const char* message) { failure = message; }

}  // namespace FakeVideoControllers

std::vector<WMIData> GetVideoControllers() {
    if (failure != nullptr) FailRequirement(failure);
    return records;
}
