#include "dataitem/DataItemString.h"

#include "failure/FailRequirement.h"

DataItemType DataItemString::DoType() { return kString; }

DataItemStringLiteral::DataItemStringLiteral(DescriptionParser* parser, const std::string& value)
    : DataItemString(parser), value(value) {}

std::string DataItemStringLiteral::DoAsString() { return value; }

void DataItemStringLiteral::DoSetString(const std::string&) {
    FailRequirement("assigning to string literal");
}
