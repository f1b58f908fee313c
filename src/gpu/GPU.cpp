#include "gpu/GPU.h"

GPUImpl::~GPUImpl() {}

GPU::GPU(const boost::shared_ptr<GPUImpl>& impl) : impl(impl) {}
GPU::~GPU() {}

GLGPU::GLGPU(const boost::shared_ptr<GPUImpl>& impl) : GPU(impl) {}
GLGPU::~GLGPU() {}

std::string GLGPU::DoGetVersion() { return GetImpl()->GetGLVersion(); }
int GLGPU::DoGetMemoryMB() { return GetImpl()->GetGLMemoryMB(); }
std::string GLGPU::DoGetName() { return GetImpl()->GetGLRenderer(); }
std::string GLGPU::DoGetVendor() { return GetImpl()->GetGLVendor(); }
int GLGPU::DoGetVendorID() { return GetImpl()->GetGLVendorID(); }
std::string GLGPU::DoGetDriverVersion() { return GetImpl()->GetGLDriverVersion(); }

CLGPU::CLGPU(const boost::shared_ptr<GPUImpl>& impl) : GPU(impl) {}
CLGPU::~CLGPU() {}

std::string CLGPU::DoGetVersion() { return GetImpl()->GetCLPlatformVersion(); }
int CLGPU::DoGetMemoryMB() { return GetImpl()->GetCLMemoryMB(); }
std::string CLGPU::DoGetName() { return GetImpl()->GetCLName(); }
std::string CLGPU::DoGetVendor() { return GetImpl()->GetCLVendor(); }
int CLGPU::DoGetVendorID() { return GetImpl()->GetCLVendorID(); }
std::string CLGPU::DoGetDriverVersion() { return GetImpl()->GetCLDriverVersion(); }
bool CLGPU::DoGetCUDASupported() { return GetImpl()->GetCUDASupported(); }
std::string CLGPU::DoGetCUDAVersion() { return GetImpl()->GetCUDAVersion(); }
double CLGPU::DoGetCLBandwidth() { return GetImpl()->GetCLBandwidth(); }
double CLGPU::DoGetMinCLBandwidth() { return GetImpl()->GetMinCLBandwidth(); }
std::string CLGPU::DoGetCLDeviceVersion() { return GetImpl()->GetCLDeviceVersion(); }
