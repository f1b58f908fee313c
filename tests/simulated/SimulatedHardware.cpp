// A simulated machine for the probe's process tests, linked in place of the real
// hardware factory. The machine is a report-shaped description in the file named
// by TROVEX_SIMULATION: its glgpu and clgpu items become the GPUs. The words of
// TROVEX_SIMULATION_RAISE script what real drivers cannot be made to do:
//
//   "glgpu[0].GLMemoryMB"  that GPU's query of that property throws
//                          std::runtime_error("simulated failure")
//   "glgpu[0].glGetProgramivARB"  likewise each of that GPU's program queries
//   "glgpu", "clgpu"       the enumeration of the GPUs of that kind throws
//                          std::runtime_error("simulated enumeration failure")
//   "glgpu:logical"        it throws Quelt::LogicalException without a message
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

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
    RaisingGPUImpl(const GPUImplStatic& values, const std::string& tag,
                   const std::set<std::string>& raising)
        : GPUImplStatic(values), tag(tag), raising(raising) {}

protected:
#define TROVEX_SIMULATED(Name, Type, Query) \
    Type Do##Query() override {             \
        Raise(#Name);                       \
        return GPUImplStatic::Do##Query();  \
    }
    TROVEX_GL_PROPERTIES(TROVEX_SIMULATED)
    TROVEX_CL_PROPERTIES(TROVEX_SIMULATED)
#undef TROVEX_SIMULATED
    void DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) override {
        Raise("glGetProgramivARB");
        GPUImplStatic::DoGLGetProgramivARB(target, pname, params);
    }

private:
    void Raise(const std::string& name) const {
        if (raising.count(tag + "." + name) != 0) throw std::runtime_error("simulated failure");
    }

    std::string tag;
    std::set<std::string> raising;
};

// The GPUs of one kind ("glgpu" or "clgpu") of the machine.
template <typename Record>
std::vector<boost::shared_ptr<Record> > Records(const std::string& kind) {
    const char* path = std::getenv("TROVEX_SIMULATION");
    if (path == nullptr) throw std::runtime_error("TROVEX_SIMULATION names no machine");
    std::ifstream in(path);
    DescriptionParser parser;
    parser.Parse(std::string(std::istreambuf_iterator<char>(in), {}));
    const char* raise = std::getenv("TROVEX_SIMULATION_RAISE");
    std::istringstream words(raise != nullptr ? raise : "");
    const std::set<std::string> raising{std::istream_iterator<std::string>(words), {}};
    if (raising.count(kind) != 0) throw std::runtime_error("simulated enumeration failure");
    if (raising.count(kind + ":logical") != 0) throw Quelt::LogicalException(nullptr);
    std::vector<boost::shared_ptr<Record> > records;
    std::vector<boost::shared_ptr<GPUImplStatic> > impls = parser.CollectImpls(kind);
    for (size_t i = 0; i < impls.size(); ++i) {
        const std::string tag = kind + "[" + std::to_string(i) + "]";
        records.emplace_back(
            new Record(boost::shared_ptr<GPUImpl>(new RaisingGPUImpl(*impls[i], tag, raising))));
    }
    return records;
}

class SimulatedMachine : public GPUImplStatic {
protected:
    GLGPUVec DoGetGPUs() override { return Records<GLGPU>("glgpu"); }
    CLGPUVec DoGetCLGPUs() override { return Records<CLGPU>("clgpu"); }
};

}  // namespace

boost::shared_ptr<GPUImpl> CreateHardwareImpl() {
    return boost::shared_ptr<GPUImpl>(new SimulatedMachine());
}
