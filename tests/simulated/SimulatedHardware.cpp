// A simulated machine for the probe's process tests, linked in place of the real
// hardware factory. The machine is a report-shaped description in the file named
// by TROVEX_SIMULATION: its glgpu and clgpu items become the GPUs. Two extra
// variables script what real drivers cannot be made to do:
//
//   simulate.enumeration="std"      enumeration throws std::runtime_error
//   simulate.enumeration="logical"  enumeration throws Quelt::LogicalException
//                                   without a message
//   simulate.raise=["glgpu[0].GLMemoryMB", ...]
//                                   that GPU's query of that property throws
//                                   std::runtime_error("simulated failure")
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "dataitem/DataItemArray.h"
#include "dataitem/DataItemMap.h"
#include "dataitem/DescriptionParser.h"
#include "gpu/GPU.h"
#include "gpu/GPUProperties.h"
#include "gpu/win/CreateHardwareImpl.h"
#include "quelt/quelt_core/Exception.h"

namespace {

// A GPU answering from its description, except for the properties it is told to
// fail on.
class RaisingGPUImpl : public GPUImplStatic {
public:
    RaisingGPUImpl(const GPUImplStatic& values, const std::set<std::string>& raising)
        : GPUImplStatic(values), raising(raising) {}

protected:
#define TROVEX_SIMULATED(Name, Type, Query) \
    Type Do##Query() override {             \
        Check(#Name);                       \
        return GPUImplStatic::Do##Query();  \
    }
    TROVEX_GL_PROPERTIES(TROVEX_SIMULATED)
    TROVEX_CL_PROPERTIES(TROVEX_SIMULATED)
#undef TROVEX_SIMULATED

private:
    void Check(const char* property) const {
        if (raising.count(property) != 0) throw std::runtime_error("simulated failure");
    }

    std::set<std::string> raising;
};

std::string ReadSimulation() {
    const char* path = std::getenv("TROVEX_SIMULATION");
    if (path == nullptr) throw std::runtime_error("TROVEX_SIMULATION names no machine");
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Directive(DescriptionParser& parser, const char* name) {
    DataItemPtr simulate;
    if (!parser.Lookup("simulate", simulate) || !simulate->AsMap()->Has(name)) return std::string();
    return simulate->AsMap()->Get(name)->AsString();
}

// Properties to fail on, by tag: "glgpu[0]" -> {"GLMemoryMB"}.
std::set<std::string> RaisingFor(DescriptionParser& parser, const std::string& tag) {
    std::set<std::string> properties;
    DataItemPtr simulate;
    if (!parser.Lookup("simulate", simulate) || !simulate->AsMap()->Has("raise")) return properties;
    for (const DataItemPtr& item : simulate->AsMap()->Get("raise")->AsArray()->Items()) {
        std::string entry = item->AsString();
        if (entry.compare(0, tag.size() + 1, tag + ".") == 0)
            properties.insert(entry.substr(tag.size() + 1));
    }
    return properties;
}

template <typename Record>
std::vector<boost::shared_ptr<Record> > Records(DescriptionParser& parser, const char* kind) {
    std::vector<boost::shared_ptr<Record> > records;
    std::vector<boost::shared_ptr<GPUImplStatic> > impls = parser.CollectImpls(kind);
    for (size_t i = 0; i < impls.size(); ++i) {
        std::string tag = std::string(kind) + "[" + std::to_string(i) + "]";
        boost::shared_ptr<GPUImpl> impl(new RaisingGPUImpl(*impls[i], RaisingFor(parser, tag)));
        records.push_back(boost::shared_ptr<Record>(new Record(impl)));
    }
    return records;
}

class SimulatedMachine : public GPUImplStatic {
protected:
    GLGPUVec DoGetGPUs() override {
        DescriptionParser parser;
        parser.Parse(ReadSimulation());
        std::string enumeration = Directive(parser, "enumeration");
        if (enumeration == "std") throw std::runtime_error("simulated enumeration failure");
        if (enumeration == "logical") throw Quelt::LogicalException(nullptr);
        return Records<GLGPU>(parser, "glgpu");
    }

    CLGPUVec DoGetCLGPUs() override {
        DescriptionParser parser;
        parser.Parse(ReadSimulation());
        return Records<CLGPU>(parser, "clgpu");
    }
};

}  // namespace

boost::shared_ptr<GPUImpl> CreateHardwareImpl() {
    return boost::shared_ptr<GPUImpl>(new SimulatedMachine());
}
