#include "VLLogging/LogStatement.h"

LogChannel GPUTrovexChannel = {"GPUTrovex", 0, 0};
