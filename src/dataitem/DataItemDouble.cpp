#include "dataitem/DataItemDouble.h"

#include <sstream>

#include "failure/FailRequirement.h"

DataItemType DataItemDouble::DoType() { return kDouble; }

std::string DataItemDouble::DoAsString() {
    std::ostringstream text;
    text << AsDouble();
    return text.str();
}

DataItemDoubleLiteral::DataItemDoubleLiteral(DescriptionParser* parser, double value)
    : DataItemDouble(parser), value(value) {}

double DataItemDoubleLiteral::DoAsDouble() { return value; }

void DataItemDoubleLiteral::DoSetDouble(double) { FailRequirement("assigning to double literal"); }
