#pragma once

#include <vector>

#include <boost/shared_ptr.hpp>

class GPU;
class GLGPU;
class CLGPU;

typedef std::vector<boost::shared_ptr<GLGPU> > GLGPUVec;
typedef std::vector<boost::shared_ptr<CLGPU> > CLGPUVec;
typedef std::vector<boost::shared_ptr<GPU> > GPUVec;
