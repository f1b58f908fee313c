#pragma once

#include "Tester.h"

// The host's own tester: an identification line, the host's OpenGL queries and
// extension checks, and the compute figure of every OpenCL GPU.
class VelmoraTester : public Tester {
public:
    ~VelmoraTester() override;

protected:
    void DoRunHeader() override;
    void DoRunGLTests() override;
    void DoRunCLTests() override;

public:
    virtual void TestCLCompute(const std::string& tag, CLGPU* gpu);
};
