#pragma once

#include <string>
#include <tuple>

#include "TaggedGPU.h"
#include "Tester.h"

// One per-GPU test that Tester::RunTest applies to every entry of a list. Each
// calls one reporting operation of the tester for the entry's GPU.
class GPUTest {
public:
    virtual ~GPUTest() {}
    virtual void Run(Tester& tester, const TaggedGPU& entry) const = 0;
};

// Calls a property step of tester class T on a GPU of kind G. A GPU of another
// kind raises std::bad_cast rather than reaching the step.
template <typename T, typename G>
class TestFunc : public GPUTest {
public:
    typedef void (T::*StepFunction)(const std::string& tag, G* gpu);

    explicit TestFunc(StepFunction step) : step(step) {}

    void Run(Tester& tester, const TaggedGPU& entry) const override {
        std::string tag = entry.first;
        (dynamic_cast<T&>(tester).*step)(tag, &dynamic_cast<G&>(*entry.second));
    }

private:
    StepFunction step;
};

// Calls one of the tester's OpenGL query operations on a GPU as GLGPU, with the
// query's name and the values the test was made with (the enumerant or the
// foundation library's extension number, then, for queries that give several
// values, how many the report shows). The four kinds differ only in the
// operation and those values.
template <auto Operation, typename... Values>
class GLQueryTest : public GPUTest {
public:
    explicit GLQueryTest(const char* name, Values... values) : name(name), values(values...) {}

    void Run(Tester& tester, const TaggedGPU& entry) const override {
        std::string tag = entry.first;
        GLGPU* gpu = &dynamic_cast<GLGPU&>(*entry.second);
        std::apply([&](Values... value) { (tester.*Operation)(tag, gpu, name, value...); }, values);
    }

private:
    const char* name;
    std::tuple<Values...> values;
};

typedef GLQueryTest<&Tester::TestGLGetString, int> GLStringTest;
typedef GLQueryTest<&Tester::TestGLGetIntegerv, int, int> IntegervTest;
typedef GLQueryTest<&Tester::TestGLGetProgramivARB, int, int> ProgramvTest;
typedef GLQueryTest<&Tester::TestExtension, int> ExtensionTest;
