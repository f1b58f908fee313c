#pragma once

#include "dataitem/DataItem.h"

// An integer value. It prints in decimal.
class DataItemInt : public DataItem {
public:
    using DataItem::DataItem;

    void SetInt(int value) { DoSetInt(value); }

protected:
    DataItemType DoType() override;
    std::string DoAsString() override;
    virtual void DoSetInt(int value) = 0;
};

// An integer written in the description. It reads as a double too, never the reverse.
class DataItemIntLiteral : public DataItemInt {
public:
    DataItemIntLiteral(DescriptionParser* parser, int value);

protected:
    int DoAsInt() override;
    double DoAsDouble() override;
    void DoSetInt(int value) override;

private:
    int value;
};
