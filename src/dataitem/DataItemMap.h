#pragma once

#include <string>
#include <utility>
#include <vector>

#include "dataitem/DataItemContainer.h"

typedef std::pair<std::string, DataItemPtr> DataItemEntry;
typedef std::vector<DataItemEntry> DataItemEntries;

// A container whose keys are texts. It prints as {key=value, ...}.
class DataItemMap : public DataItemContainer {
public:
    using DataItemContainer::DataItemContainer;

    // Empty where there is no entry.
    DataItemPtr Get(const std::string& key) { return DoGet(key); }
    void Set(const std::string& key, const DataItemPtr& item) { DoSet(key, item); }
    bool Has(const std::string& key) { return DoHas(key); }
    DataItemEntries Entries() { return DoEntries(); }

protected:
    DataItemType DoType() override;
    std::string DoAsString() override;
    DataItemMap* DoAsMap() override;
    int DoSize() override;
    DataItemPtr DoGetItem(DataItem* key) override;
    void DoSetItem(DataItem* key, const DataItemPtr& item) override;

    virtual DataItemPtr DoGet(const std::string& key) = 0;
    virtual void DoSet(const std::string& key, const DataItemPtr& item) = 0;
    virtual bool DoHas(const std::string& key) = 0;
    virtual DataItemEntries DoEntries() = 0;
};

// A map written in the description, or one made to hold the entries of a statement's
// target. Entries keep the order of their first setting; a later setting of the same
// key replaces the item in place.
class DataItemMapLiteral : public DataItemMap {
public:
    explicit DataItemMapLiteral(DescriptionParser* parser);

protected:
    int DoSize() override;
    DataItemPtr DoGet(const std::string& key) override;
    void DoSet(const std::string& key, const DataItemPtr& item) override;
    bool DoHas(const std::string& key) override;
    DataItemEntries DoEntries() override;

private:
    // The entry of the key, or entries.end(). The newest entries are searched first.
    DataItemEntries::iterator Find(const std::string& key);

    DataItemEntries entries;
};
