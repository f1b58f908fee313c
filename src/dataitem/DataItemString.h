#pragma once

#include "dataitem/DataItem.h"

// A text value.
class DataItemString : public DataItem {
public:
    using DataItem::DataItem;

    void SetString(const std::string& value) { DoSetString(value); }

protected:
    DataItemType DoType() override;
    virtual void DoSetString(const std::string& value) = 0;
};

// A quoted text of the description. It never reads as a number, whatever it holds.
class DataItemStringLiteral : public DataItemString {
public:
    DataItemStringLiteral(DescriptionParser* parser, const std::string& value);

protected:
    std::string DoAsString() override;
    void DoSetString(const std::string& value) override;

private:
    std::string value;
};
