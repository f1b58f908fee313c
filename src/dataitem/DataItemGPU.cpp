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

// A property's value as the literal a description reads it back as; a Boolean reads
// as the integer 0 or 1.
DataItemPtr Literal(DescriptionParser* parser, const std::string& value) {
    return DataItemPtr(new DataItemStringLiteral(parser, value));
}
DataItemPtr Literal(DescriptionParser* parser, int value) {
    return DataItemPtr(new DataItemIntLiteral(parser, value));
}
DataItemPtr Literal(DescriptionParser* parser, bool value) {
    return DataItemPtr(new DataItemIntLiteral(parser, value ? 1 : 0));
}
DataItemPtr Literal(DescriptionParser* parser, double value) {
    return DataItemPtr(new DataItemDoubleLiteral(parser, value));
}

// An item's value converted to a property's type.
template <typename Type>
Type ValueOf(DataItem& item);
template <>
std::string ValueOf(DataItem& item) {
    return item.AsString();
}
template <>
int ValueOf(DataItem& item) {
    return item.AsInt();
}
template <>
bool ValueOf(DataItem& item) {
    return item.AsInt() != 0;
}
template <>
double ValueOf(DataItem& item) {
    return item.AsDouble();
}

template <typename Type, Type (GPUImpl::*Query)()>
DataItemPtr GetProperty(DescriptionParser* parser, GPUImplStatic& impl) {
    return Literal(parser, (impl.*Query)());
}

template <typename Type, void (GPUImplStatic::*Set)(const Type&)>
void SetProperty(GPUImplStatic& impl, DataItem& item) {
    (impl.*Set)(ValueOf<Type>(item));
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

// clang-format off
#define TROVEX_MEMBER(Name, Type, Query) \
    {#Name, GetProperty<Type, &GPUImpl::Query>, SetProperty<Type, &GPUImplStatic::Set##Name>, \
     nullptr, nullptr},

const DataItemGPU::Member DataItemGPU::kMembers[] = {
    TROVEX_GL_PROPERTIES(TROVEX_MEMBER)
    {"glGetString", nullptr, nullptr, &DataItemGPU::glStringValues,
     "DataItemGPU: should not be assigning entire glGetString map"},
    {"glGetIntegerv", nullptr, nullptr, &DataItemGPU::glIntegervValues,
     "DataItemGPU: no such member"},
    {"extension", nullptr, nullptr, &DataItemGPU::extensionValues, "DataItemGPU: no such member"},
    {"glGetProgramivARB", nullptr, nullptr, &DataItemGPU::glProgramivValues,
     "DataItemGPU: no such member"},
    TROVEX_CL_PROPERTIES(TROVEX_MEMBER)
};
// clang-format on

#undef TROVEX_MEMBER

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
