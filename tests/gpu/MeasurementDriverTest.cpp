// The OpenCL measurements on the first device of this machine's loader, against
// estimates the test makes on the same machine: a plain copy of as many bytes, and
// the kernel's own loop over a share of its items on one core. Other work may load
// the machine, so each estimate is the best of ten runs, and a figure need only
// come within an order of magnitude of its estimate (the kernel may use every
// core); a unit error, a factor of a thousand, does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "gpu/GPUImplHardware.h"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ocl/Platform"

TEST(MeasurementDriverTest, FiguresComeNearWhatPlainLoopsDoOnTheSameMachine) {
    ASSERT_TRUE(Quelt::OCL::Library::isOpenCLAvailable(""));
    Quelt::OCL::Library::initialize();
    const Quelt::OCL::Device device =
        Quelt::OCL::platforms().at(0).devices(Quelt::OCL::Device::All).at(0);
    const Quelt::OCL::Context context(device);
    const Quelt::OCL::CommandQueue queue(context, device, true);

    // Bytes per second, each of 16 MiB read once and written once; 2^30
    // multiplications per second, two in each of 4096 steps of an item.
    std::vector<char> source(16 << 20, 1), target(source.size());
    std::vector<float> items(4096, 3.0f);
    double copy = 0.0;
    double loop = 0.0;
    for (int run = 0; run < 10; ++run) {
        auto start = std::chrono::steady_clock::now();
        std::memcpy(target.data(), source.data(), source.size());
        std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        copy = std::max(copy, 2.0 * source.size() / seconds.count());
        start = std::chrono::steady_clock::now();
        for (size_t id = 0; id < items.size(); ++id)
            for (int i = 0; i < 4096; ++i)
                items[id] = items[id] * 1.2f * static_cast<float>(id % 3);
        seconds = std::chrono::steady_clock::now() - start;
        loop = std::max(loop, 2.0 * 4096 * items.size() / (1 << 30) / seconds.count());
    }
    const double bandwidth = GPUImplHardware::MeasureCLBandwidth(context, queue);
    EXPECT_TRUE(bandwidth > copy / 10 && bandwidth < copy * 10) << bandwidth << " B/s, " << copy;
    const double cores = std::max(1u, std::thread::hardware_concurrency());
    const double compute = GPUImplHardware::MeasureCLCompute(context, queue);
    EXPECT_TRUE(compute > loop / 10 && compute < loop * cores * 10) << compute << ", " << loop;
    // What the loop wrote is read, so that it is not left out as unused.
    EXPECT_EQ(0.0f, items[0]);
}
