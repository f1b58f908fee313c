#include "dataitem/DataItemInt.h"

#include <sstream>

#include "failure/FailRequirement.h"

DataItemType DataItemInt::DoType() { return kInt; }

std::string DataItemInt::DoAsString() {
    std::ostringstream text;
    text << AsInt();
    return text.str();
}

DataItemIntLiteral::DataItemIntLiteral(DescriptionParser* parser, int value)
    : DataItemInt(parser), value(value) {}

int DataItemIntLiteral::DoAsInt() { return value; }

double DataItemIntLiteral::DoAsDouble() { return value; }

void DataItemIntLiteral::DoSetInt(int) { FailRequirement("assigning to int literal"); }
