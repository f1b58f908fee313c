#include "dataitem/DataItem.h"

#include "dataitem/DescriptionParser.h"
#include "failure/FailRequirement.h"

DataItem::DataItem(DescriptionParser* parser) : fParser(parser) {}

DataItem::~DataItem() {}

DataItemMap* DataItem::AsMap() {
    DataItemMap* result = DoAsMap();
    if (result == nullptr) FailRequirement("Failed requirement: result != NULL");
    return result;
}

DataItemArray* DataItem::AsArray() {
    DataItemArray* result = DoAsArray();
    if (result == nullptr) FailRequirement("Failed requirement: result != NULL");
    return result;
}

DataItemPtr DataItem::Lookup(const std::string& name) {
    DataItemPtr result;
    if (!FindVariable(name, result))
        FailRequirement("Failed requirement: fParser->Lookup(name, result)");
    return result;
}

int DataItem::DoAsInt() { FailRequirement("DataItem::DoAsInt not overridden"); }

double DataItem::DoAsDouble() { FailRequirement("DataItem::DoAsDouble not overridden"); }

std::string DataItem::DoAsString() { FailRequirement("DataItem::DoAsString not overridden"); }

DataItemMap* DataItem::DoAsMap() { return nullptr; }

DataItemArray* DataItem::DoAsArray() { return nullptr; }

bool DataItem::FindVariable(const std::string& name, DataItemPtr& result) const {
    // An item made outside a parser belongs to no description and sees no variables.
    return fParser != nullptr && fParser->Lookup(name, result);
}
