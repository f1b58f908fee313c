#pragma once

#include <boost/shared_ptr.hpp>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "dataitem/GPUImplStatic.h"
#include "gpu/GPUVectors.h"

// One answer of a record, with its value as the report writes it and as JSON.
struct RecordField {
    // The key below the record's tag: {"GLVendor"}, or for a query table
    // {"glGetString", "GL_SHADING_LANGUAGE_VERSION"}.
    std::vector<std::string> path;
    // The gputag lines that publish a query's numbers before its line.
    std::vector<std::pair<std::string, int> > tags;
    // Whether the report held the value. One it never held has no line, and is
    // null in JSON: the back end's initial value is no answer of the report.
    bool held;
    std::string reportValue;
    std::string jsonValue;
};

// The records of one kind as the probe writes them: its steps in its order, each
// with one field per record, in record order.
struct RecordSet {
    const char* kind;  // glgpu or clgpu
    std::vector<std::vector<RecordField> > steps;
    // Per record (so its size is the number of records), the keys of the fields
    // it lacks that the probe writes for every GPU it keeps (a CUDA version only
    // some devices have is not one).
    std::vector<std::vector<std::string> > lacking;
};

typedef std::vector<boost::shared_ptr<GPUImplStatic> > StaticImpls;

// The property steps of the probe; with host, the host tester's steps as well (its
// queries of every OpenGL record, the compute figure of every OpenCL record). The
// records' back ends, in the same order, tell which values the report held.
RecordSet GLFields(const GLGPUVec& gpus, const StaticImpls& impls, bool host);
RecordSet CLFields(const CLGPUVec& gpus, const StaticImpls& impls, bool host);

// The tag of a record of the set: glgpu[0].
std::string RecordTag(const RecordSet& set, size_t index);

// The key of a field below its record's tag: GLVendor, glGetString[GL_VENDOR].
std::string FieldKey(const std::vector<std::string>& path);

// text as a JSON string. Valid UTF-8 passes unchanged; any other byte is read as
// Latin-1, as a driver's narrow text may be in a single-byte code page.
std::string JsonString(const std::string& text);
