#include "gpu/win/CreateHardwareImpl.h"

#include "gpu/win/GPUImplWin.h"

boost::shared_ptr<GPUImpl> CreateHardwareImpl() {
    return boost::shared_ptr<GPUImpl>(new GPUImplWin);
}
