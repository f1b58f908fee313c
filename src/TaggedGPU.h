#pragma once

#include <boost/shared_ptr.hpp>
#include <list>
#include <string>
#include <utility>

#include "gpu/GPU.h"

// A GPU with the tag its report lines carry: glgpu[0], clgpu[1], ...
typedef std::pair<std::string, boost::shared_ptr<GPU> > TaggedGPU;
// A list a failing GPU can be removed from while the list is being walked.
typedef std::list<TaggedGPU> TaggedGPUList;
