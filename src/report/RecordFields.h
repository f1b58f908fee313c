#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "gpu/GPUVectors.h"

// One answer of a record, with its value as the report writes it and as JSON.
struct RecordField {
    // The key below the record's tag: {"GLVendor"}, or for a query table
    // {"glGetString", "GL_SHADING_LANGUAGE_VERSION"}.
    std::vector<std::string> path;
    // The gputag lines that publish a query's numbers before its line.
    std::vector<std::pair<std::string, int> > tags;
    std::string reportValue;
    std::string jsonValue;
};

// The records of one kind as the probe writes them: its steps in its order, each
// with one field per record that answered, in record order.
struct RecordSet {
    const char* kind;      // glgpu or clgpu
    const char* countKey;  // NumGLGPUs or NumCLGPUs
    size_t count;
    std::vector<std::vector<std::pair<size_t, RecordField> > > steps;
    // The records whose answer failed, in the order they failed.
    std::vector<size_t> dropped;
};

// The property steps of the probe; with host, the host tester's steps as well (its
// queries of every OpenGL record, the compute figure of every OpenCL record). As
// the probe drops a GPU whose step raised, a record whose answer fails (its
// failure line is on standard error) gets no field in that step or any later one.
RecordSet GLFields(const GLGPUVec& gpus, bool host);
RecordSet CLFields(const CLGPUVec& gpus, bool host);

// text as a JSON string. Valid UTF-8 passes unchanged; any other byte is read as
// Latin-1, as a driver's narrow text may be in a single-byte code page.
std::string JsonString(const std::string& text);
