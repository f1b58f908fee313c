#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportModel.h"

// The Windows program and the Linux one on the same drivers: their reports, the
// plain one and the host's, agree line by line but for the one documented
// difference. The x86 program finds no OpenCL under Wine 10.0 (the CMake list
// of this folder says why), so its report has no OpenCL line, as any report
// whose OpenCL loader cannot start.
namespace {

std::string WithoutOpenCL(const std::string& transcript) {
    std::string kept;
    for (const std::string& line : Lines(transcript)) {
        if (line.compare(0, 10, "NumCLGPUs=") != 0 && line.compare(0, 6, "clgpu[") != 0)
            kept += line + "\n";
    }
    return kept;
}

TEST(SameRoot, ReportIsTheLinuxProgramsButForTheDocumentedDifference) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>(), std::vector<std::string>{"-app=Velmora"}}) {
        const std::string native = RunTranscript(TROVEX_LINUX_BINARY, arguments);
        ASSERT_NE(std::string::npos, native.find("\ntrovexEnd=\"TIME\"\n")) << native;
        EXPECT_EQ(TROVEX_PROGRAM_OPENCL ? native : WithoutOpenCL(native),
                  RunTranscript(TROVEX_BINARY, arguments));
    }
}

}  // namespace
