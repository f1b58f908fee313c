#include "dataitem/GPUImplStatic.h"

#include <algorithm>

#include "failure/FailRequirement.h"

namespace {

// Callers provide room for kMaxGLQueryValues values; a description may list more.
void CopyQueryValues(const std::vector<int>& values, GLint* params) {
    const size_t count = std::min(values.size(), static_cast<size_t>(kMaxGLQueryValues));
    std::copy(values.begin(), values.begin() + count, params);
}

}  // namespace

GPUImplStatic::GPUImplStatic() {}

GPUImplStatic::~GPUImplStatic() {}

void GPUImplStatic::SetGPUs(const GLGPUVec& value) { gpus = value; }
void GPUImplStatic::SetCLGPUs(const CLGPUVec& value) { clGPUs = value; }

bool GPUImplStatic::Holds(const std::string& property) const { return held.count(property) != 0; }

void GPUImplStatic::SetGLString(int code, const char* value) {
    glStrings[code] = value != nullptr ? boost::shared_ptr<std::string>(new std::string(value))
                                       : boost::shared_ptr<std::string>();
}

void GPUImplStatic::SetGLIntegerv(int code, const std::vector<int>& values) {
    glIntegervValues[code] = values;
}

void GPUImplStatic::SetGLProgramivARB(int target, int code, const std::vector<int>& values) {
    glProgramivValues[target][code] = values;
}

void GPUImplStatic::SetExtension(int code, bool value) { extensions[code] = value; }

GLGPUVec GPUImplStatic::DoGetGPUs() { return gpus; }

const char* GPUImplStatic::DoGLGetString(GLenum name) {
    std::map<int, boost::shared_ptr<std::string> >::const_iterator entry =
        glStrings.find(static_cast<int>(name));
    if (entry == glStrings.end()) FailRequirement("GLGetString value never set");
    return entry->second ? entry->second->c_str() : nullptr;
}

void GPUImplStatic::DoGLGetIntegerv(GLenum pname, GLint* params) {
    QueryValues::const_iterator entry = glIntegervValues.find(static_cast<int>(pname));
    if (entry == glIntegervValues.end()) FailRequirement("GLGetIntegerv value never set");
    CopyQueryValues(entry->second, params);
}

void GPUImplStatic::DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) {
    std::map<int, QueryValues>::const_iterator targetEntry =
        glProgramivValues.find(static_cast<int>(target));
    if (targetEntry == glProgramivValues.end())
        FailRequirement("GLGetProgramivARB target never set");
    QueryValues::const_iterator entry = targetEntry->second.find(static_cast<int>(pname));
    if (entry == targetEntry->second.end())
        FailRequirement("GLGetProgramivARB target code never set");
    CopyQueryValues(entry->second, params);
}

bool GPUImplStatic::DoCheckExtension(Quelt::OGL::OpenGLExtension extension) {
    std::map<int, bool>::const_iterator entry = extensions.find(static_cast<int>(extension));
    if (entry == extensions.end()) FailRequirement("CheckExtension extension never set");
    return entry->second;
}

CLGPUVec GPUImplStatic::DoGetCLGPUs() { return clGPUs; }
