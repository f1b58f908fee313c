#include "dataitem/DataItemGPU.h"

#include <vector>

#include "dataitem/DataItemArray.h"
#include "dataitem/DataItemDouble.h"
#include "dataitem/DataItemInt.h"
#include "dataitem/DataItemString.h"
#include "failure/FailRequirement.h"

namespace {

typedef DataItemPtr (*Getter)(DescriptionParser* parser, GPUImplStatic& impl);
typedef void (*Setter)(GPUImplStatic& impl, DataItem& item);

template <std::string (GPUImpl::*Get)()>
DataItemPtr GetText(DescriptionParser* parser, GPUImplStatic& impl) {
    return DataItemPtr(new DataItemStringLiteral(parser, (impl.*Get)()));
}

template <int (GPUImpl::*Get)()>
DataItemPtr GetInt(DescriptionParser* parser, GPUImplStatic& impl) {
    return DataItemPtr(new DataItemIntLiteral(parser, (impl.*Get)()));
}

template <bool (GPUImpl::*Get)()>
DataItemPtr GetBool(DescriptionParser* parser, GPUImplStatic& impl) {
    return DataItemPtr(new DataItemIntLiteral(parser, (impl.*Get)() ? 1 : 0));
}

template <double (GPUImpl::*Get)()>
DataItemPtr GetDouble(DescriptionParser* parser, GPUImplStatic& impl) {
    return DataItemPtr(new DataItemDoubleLiteral(parser, (impl.*Get)()));
}

template <void (GPUImplStatic::*Set)(const std::string&)>
void SetText(GPUImplStatic& impl, DataItem& item) {
    (impl.*Set)(item.AsString());
}

template <void (GPUImplStatic::*Set)(int)>
void SetInt(GPUImplStatic& impl, DataItem& item) {
    (impl.*Set)(item.AsInt());
}

template <void (GPUImplStatic::*Set)(bool)>
void SetBool(GPUImplStatic& impl, DataItem& item) {
    (impl.*Set)(item.AsInt() != 0);
}

template <void (GPUImplStatic::*Set)(double)>
void SetDouble(GPUImplStatic& impl, DataItem& item) {
    (impl.*Set)(item.AsDouble());
}

// An entry of a query table; only a place that an index skipped over holds none.
DataItem& TableEntry(const DataItemPtr& item) {
    if (!item) FailRequirement("DataItemGPU: query table entry has no value");
    return *item;
}

// The code that the "gputag" map gives a query table's name, if it gives one.
bool FindCode(DataItemMap* tags, const std::string& name, int& code) {
    const DataItemPtr tag = tags->Get(name);
    if (!tag) return false;
    code = tag->AsInt();
    return true;
}

std::vector<int> QueryValues(DataItem& list) {
    std::vector<int> values;
    for (const DataItemPtr& value : list.AsArray()->Items())
        values.push_back(TableEntry(value).AsInt());
    return values;
}

}  // namespace

// A property has a getter and a setter; a query table has neither and names the
// map that holds it.
struct DataItemGPU::Member {
    const char* name;
    Getter get;
    Setter set;
    DataItemPtr DataItemGPU::*table;
    const char* tableRefusal;
};

const DataItemGPU::Member DataItemGPU::kMembers[] = {
    {"GLVersion", GetText<&GPUImpl::GetGLVersion>, SetText<&GPUImplStatic::SetGLVersion>, nullptr,
     nullptr},
    {"GLMemoryMB", GetInt<&GPUImpl::GetGLMemoryMB>, SetInt<&GPUImplStatic::SetGLMemoryMB>, nullptr,
     nullptr},
    {"GLName", GetText<&GPUImpl::GetGLName>, SetText<&GPUImplStatic::SetGLName>, nullptr, nullptr},
    {"GLVendor", GetText<&GPUImpl::GetGLVendor>, SetText<&GPUImplStatic::SetGLVendor>, nullptr,
     nullptr},
    {"GLVendorID", GetInt<&GPUImpl::GetGLVendorID>, SetInt<&GPUImplStatic::SetGLVendorID>, nullptr,
     nullptr},
    {"GLDriverVersion", GetText<&GPUImpl::GetGLDriverVersion>,
     SetText<&GPUImplStatic::SetGLDriverVersion>, nullptr, nullptr},
    {"GLRectTextureSize", GetInt<&GPUImpl::GetGLRectTextureSize>,
     SetInt<&GPUImplStatic::SetGLRectTextureSize>, nullptr, nullptr},
    {"GLRenderer", GetText<&GPUImpl::GetGLRenderer>, SetText<&GPUImplStatic::SetGLRenderer>,
     nullptr, nullptr},
    {"GLRendererID", GetInt<&GPUImpl::GetGLRendererID>, SetInt<&GPUImplStatic::SetGLRendererID>,
     nullptr, nullptr},
    {"HasGLNPOTSupport", GetBool<&GPUImpl::HasGLNPOTSupport>,
     SetBool<&GPUImplStatic::SetHasGLNPOTSupport>, nullptr, nullptr},
    {"GLDriver", GetText<&GPUImpl::GetGLDriver>, SetText<&GPUImplStatic::SetGLDriver>, nullptr,
     nullptr},
    {"GLDriverDate", GetText<&GPUImpl::GetGLDriverDate>, SetText<&GPUImplStatic::SetGLDriverDate>,
     nullptr, nullptr},
    {"GLCaption", GetText<&GPUImpl::GetGLCaption>, SetText<&GPUImplStatic::SetGLCaption>, nullptr,
     nullptr},
    {"CanCompileProgramGLSL", GetBool<&GPUImpl::CanCompileProgramGLSL>,
     SetBool<&GPUImplStatic::SetCanCompileProgramGLSL>, nullptr, nullptr},
    {"GLFrameBufferOK", GetBool<&GPUImpl::GetGLFrameBufferOK>,
     SetBool<&GPUImplStatic::SetGLFrameBufferOK>, nullptr, nullptr},
    {"glGetString", nullptr, nullptr, &DataItemGPU::glStringValues,
     "DataItemGPU: should not be assigning entire glGetString map"},
    {"glGetIntegerv", nullptr, nullptr, &DataItemGPU::glIntegervValues,
     "DataItemGPU: no such member"},
    {"extension", nullptr, nullptr, &DataItemGPU::extensionValues, "DataItemGPU: no such member"},
    {"glGetProgramivARB", nullptr, nullptr, &DataItemGPU::glProgramivValues,
     "DataItemGPU: no such member"},
    {"CLPlatformVersion", GetText<&GPUImpl::GetCLPlatformVersion>,
     SetText<&GPUImplStatic::SetCLPlatformVersion>, nullptr, nullptr},
    {"CLMemoryMB", GetInt<&GPUImpl::GetCLMemoryMB>, SetInt<&GPUImplStatic::SetCLMemoryMB>, nullptr,
     nullptr},
    {"CLName", GetText<&GPUImpl::GetCLName>, SetText<&GPUImplStatic::SetCLName>, nullptr, nullptr},
    {"CLVendor", GetText<&GPUImpl::GetCLVendor>, SetText<&GPUImplStatic::SetCLVendor>, nullptr,
     nullptr},
    {"CLVendorID", GetInt<&GPUImpl::GetCLVendorID>, SetInt<&GPUImplStatic::SetCLVendorID>, nullptr,
     nullptr},
    {"CLDriverVersion", GetText<&GPUImpl::GetCLDriverVersion>,
     SetText<&GPUImplStatic::SetCLDriverVersion>, nullptr, nullptr},
    {"CUDASupported", GetBool<&GPUImpl::GetCUDASupported>,
     SetBool<&GPUImplStatic::SetCUDASupported>, nullptr, nullptr},
    {"CUDAVersion", GetText<&GPUImpl::GetCUDAVersion>, SetText<&GPUImplStatic::SetCUDAVersion>,
     nullptr, nullptr},
    {"CLBandwidth", GetDouble<&GPUImpl::GetCLBandwidth>, SetDouble<&GPUImplStatic::SetCLBandwidth>,
     nullptr, nullptr},
    {"CLCompute", GetDouble<&GPUImpl::GetCLCompute>, SetDouble<&GPUImplStatic::SetCLCompute>,
     nullptr, nullptr},
    {"MinCLBandwidth", GetDouble<&GPUImpl::GetMinCLBandwidth>,
     SetDouble<&GPUImplStatic::SetMinCLBandwidth>, nullptr, nullptr},
    {"CLDeviceVersion", GetText<&GPUImpl::GetCLDeviceVersion>,
     SetText<&GPUImplStatic::SetCLDeviceVersion>, nullptr, nullptr},
};

DataItemGPU::DataItemGPU(DescriptionParser* parser)
    : DataItemMap(parser),
      impl(new GPUImplStatic),
      glStringValues(new DataItemMapLiteral(parser)),
      glIntegervValues(new DataItemMapLiteral(parser)),
      glProgramivValues(new DataItemMapLiteral(parser)),
      extensionValues(new DataItemMapLiteral(parser)) {}

DataItemGPU::~DataItemGPU() {}

boost::shared_ptr<GPUImplStatic> DataItemGPU::ResolveImpl() {
    DataItemPtr tagItem;
    if (!FindVariable("gputag", tagItem)) return impl;
    DataItemMap* tags = tagItem->AsMap();
    int code = 0;
    for (const DataItemEntry& entry : glStringValues->AsMap()->Entries()) {
        if (FindCode(tags, entry.first, code))
            impl->SetGLString(code, TableEntry(entry.second).AsString().c_str());
    }
    for (const DataItemEntry& entry : glIntegervValues->AsMap()->Entries()) {
        if (FindCode(tags, entry.first, code))
            impl->SetGLIntegerv(code, QueryValues(TableEntry(entry.second)));
    }
    for (const DataItemEntry& target : glProgramivValues->AsMap()->Entries()) {
        int targetCode = 0;
        if (!FindCode(tags, target.first, targetCode)) continue;
        for (const DataItemEntry& entry : TableEntry(target.second).AsMap()->Entries()) {
            if (FindCode(tags, entry.first, code))
                impl->SetGLProgramivARB(targetCode, code, QueryValues(TableEntry(entry.second)));
        }
    }
    for (const DataItemEntry& entry : extensionValues->AsMap()->Entries()) {
        if (FindCode(tags, entry.first, code))
            impl->SetExtension(code, TableEntry(entry.second).AsInt() != 0);
    }
    return impl;
}

DataItemPtr DataItemGPU::DoGet(const std::string& key) { return GetMember(RequireMember(key)); }

void DataItemGPU::DoSet(const std::string& key, const DataItemPtr& item) {
    const Member& member = RequireMember(key);
    if (member.table != nullptr) FailRequirement(member.tableRefusal);
    // A property takes a value; an empty place has none to convert.
    if (!item) FailRequirement("DataItemGPU: assigning no value");
    member.set(*impl, *item);
}

bool DataItemGPU::DoHas(const std::string& key) {
    const Member* member = FindMember(key);
    return member != nullptr && member->table == nullptr;
}

DataItemEntries DataItemGPU::DoEntries() {
    DataItemEntries entries;
    for (const Member& member : kMembers)
        entries.push_back(DataItemEntry(member.name, GetMember(member)));
    return entries;
}

const DataItemGPU::Member* DataItemGPU::FindMember(const std::string& name) {
    for (const Member& member : kMembers) {
        if (name == member.name) return &member;
    }
    return nullptr;
}

const DataItemGPU::Member& DataItemGPU::RequireMember(const std::string& name) {
    const Member* member = FindMember(name);
    if (member == nullptr) FailRequirement("DataItemGPU: no such member");
    return *member;
}

DataItemPtr DataItemGPU::GetMember(const Member& member) {
    return member.table != nullptr ? this->*member.table : member.get(fParser, *impl);
}
