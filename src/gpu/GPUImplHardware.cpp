#include "gpu/GPUImplHardware.h"

GPUImplHardware::GPUImplHardware() : device(nullptr) {}

GPUImplHardware::~GPUImplHardware() {}

void GPUImplHardware::SetGLContext(const boost::shared_ptr<Quelt::OGL::Context>& newContext) {
    context = newContext;
}

void GPUImplHardware::SetCLDevice(const Quelt::OCL::Device& newDevice) { device = newDevice; }
