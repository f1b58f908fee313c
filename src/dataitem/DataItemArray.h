#pragma once

#include <cstdint>
#include <vector>

#include "dataitem/DataItemContainer.h"

typedef std::vector<DataItemPtr> DataItemItems;

// A container whose keys are the indexes 0, 1, ... It prints as {value, ...}.
class DataItemArray : public DataItemContainer {
public:
    using DataItemContainer::DataItemContainer;

    // Empty where there is no entry, an index past the end included.
    DataItemPtr Get(uint32_t index) { return DoGet(index); }
    void Set(uint32_t index, const DataItemPtr& item) { DoSet(index, item); }
    DataItemItems Items() { return DoItems(); }

protected:
    DataItemType DoType() override;
    std::string DoAsString() override;
    DataItemArray* DoAsArray() override;
    DataItemPtr DoGetItem(DataItem* key) override;
    void DoSetItem(DataItem* key, const DataItemPtr& item) override;

    virtual DataItemPtr DoGet(uint32_t index) = 0;
    virtual void DoSet(uint32_t index, const DataItemPtr& item) = 0;
    virtual DataItemItems DoItems();
};

// An array written in the description, or one made to hold the entries of a
// statement's target. Setting an index past the end first grows the array with
// places that hold no entry.
class DataItemArrayLiteral : public DataItemArray {
public:
    // The largest index an array grows to. A report's lists and GPU indexes stay far
    // below it; a description asking for more would only make the reader eat memory.
    static constexpr uint32_t kMaxIndex = 65535;

    explicit DataItemArrayLiteral(DescriptionParser* parser);

protected:
    int DoSize() override;
    DataItemPtr DoGet(uint32_t index) override;
    void DoSet(uint32_t index, const DataItemPtr& item) override;
    DataItemItems DoItems() override;

private:
    DataItemItems items;
};
