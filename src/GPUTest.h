#pragma once

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

class GLStringTest : public GPUTest {
public:
    GLStringTest(const char* name, int value) : name(name), value(value) {}

    void Run(Tester& tester, const TaggedGPU& entry) const override {
        std::string tag = entry.first;
        tester.TestGLGetString(tag, &dynamic_cast<GLGPU&>(*entry.second), name, value);
    }

private:
    const char* name;
    int value;
};

class IntegervTest : public GPUTest {
public:
    IntegervTest(const char* name, int value, int count) : name(name), value(value), count(count) {}

    void Run(Tester& tester, const TaggedGPU& entry) const override {
        std::string tag = entry.first;
        tester.TestGLGetIntegerv(tag, &dynamic_cast<GLGPU&>(*entry.second), name, value, count);
    }

private:
    const char* name;
    int value;
    int count;
};

class ProgramvTest : public GPUTest {
public:
    ProgramvTest(const char* name, int value, int count) : name(name), value(value), count(count) {}

    void Run(Tester& tester, const TaggedGPU& entry) const override {
        std::string tag = entry.first;
        tester.TestGLGetProgramivARB(tag, &dynamic_cast<GLGPU&>(*entry.second), name, value, count);
    }

private:
    const char* name;
    int value;
    int count;
};

class ExtensionTest : public GPUTest {
public:
    ExtensionTest(const char* name, int extension) : name(name), extension(extension) {}

    void Run(Tester& tester, const TaggedGPU& entry) const override {
        std::string tag = entry.first;
        tester.TestExtension(tag, &dynamic_cast<GLGPU&>(*entry.second), name, extension);
    }

private:
    const char* name;
    int extension;
};
