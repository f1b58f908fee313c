#include "dataitem/DataItemInt.h"

#include <string>

#include "failure/FailRequirement.h"

DataItemType DataItemInt::DoType() { return kInt; }

std::string DataItemInt::DoAsString() { return std::to_string(AsInt()); }

DataItemIntLiteral::DataItemIntLiteral(DescriptionParser* parser, int value)
    : DataItemInt(parser), value(value) {}

int DataItemIntLiteral::DoAsInt() { return value; }

double DataItemIntLiteral::DoAsDouble() { return value; }

void DataItemIntLiteral::DoSetInt(int) { FailRequirement("assigning to int literal"); }
