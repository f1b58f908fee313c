#pragma once

#include <boost/shared_ptr.hpp>
#include <vector>

class GPU;
class GLGPU;
class CLGPU;

typedef std::vector<boost::shared_ptr<GLGPU> > GLGPUVec;
typedef std::vector<boost::shared_ptr<CLGPU> > CLGPUVec;
typedef std::vector<boost::shared_ptr<GPU> > GPUVec;
