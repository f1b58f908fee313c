// The OpenCL measurements on the first device of this machine's loader. Their
// figures depend on the machine; a failing call fails the measurement.
#include <gtest/gtest.h>

#include "gpu/GPUImplHardware.h"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ocl/Platform"

TEST(MeasurementDriverTest, BothMeasurementsGivePositiveFigures) {
    ASSERT_TRUE(Quelt::OCL::Library::isOpenCLAvailable(""));
    Quelt::OCL::Library::initialize();
    const Quelt::OCL::Device device =
        Quelt::OCL::platforms().at(0).devices(Quelt::OCL::Device::All).at(0);
    const Quelt::OCL::Context context(device);
    const Quelt::OCL::CommandQueue queue(context, device, true);
    EXPECT_GT(GPUImplHardware::MeasureCLBandwidth(context, queue), 0.0);
    EXPECT_GT(GPUImplHardware::MeasureCLCompute(context, queue), 0.0);
}
