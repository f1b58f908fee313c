#pragma once

#include "dataitem/DataItem.h"

// A floating-point value. It prints as the report writes reals: six significant digits.
class DataItemDouble : public DataItem {
public:
    using DataItem::DataItem;

    void SetDouble(double value) { DoSetDouble(value); }

protected:
    DataItemType DoType() override;
    std::string DoAsString() override;
    virtual void DoSetDouble(double value) = 0;
};

// A floating-point number written in the description. It never reads as an integer.
class DataItemDoubleLiteral : public DataItemDouble {
public:
    DataItemDoubleLiteral(DescriptionParser* parser, double value);

protected:
    double DoAsDouble() override;
    void DoSetDouble(double value) override;

private:
    double value;
};
