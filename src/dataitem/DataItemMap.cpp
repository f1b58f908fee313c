#include "dataitem/DataItemMap.h"

DataItemType DataItemMap::DoType() { return kMap; }

std::string DataItemMap::DoAsString() {
    std::string text = "{";
    const char* separator = "";
    for (const DataItemEntry& entry : Entries()) {
        text += separator + entry.first + "=" + EntryText(entry.second);
        separator = ", ";
    }
    return text + "}";
}

DataItemMap* DataItemMap::DoAsMap() { return this; }

int DataItemMap::DoSize() { return static_cast<int>(Entries().size()); }

DataItemPtr DataItemMap::DoGetItem(DataItem* key) { return Get(key->AsString()); }

void DataItemMap::DoSetItem(DataItem* key, const DataItemPtr& item) { Set(key->AsString(), item); }

DataItemMapLiteral::DataItemMapLiteral(DescriptionParser* parser) : DataItemMap(parser) {}

int DataItemMapLiteral::DoSize() { return static_cast<int>(entries.size()); }

DataItemPtr DataItemMapLiteral::DoGet(const std::string& key) {
    DataItemEntries::iterator entry = Find(key);
    return entry != entries.end() ? entry->second : DataItemPtr();
}

void DataItemMapLiteral::DoSet(const std::string& key, const DataItemPtr& item) {
    DataItemEntries::iterator entry = Find(key);
    if (entry != entries.end())
        entry->second = item;
    else
        entries.push_back(DataItemEntry(key, item));
}

bool DataItemMapLiteral::DoHas(const std::string& key) { return Find(key) != entries.end(); }

DataItemEntries DataItemMapLiteral::DoEntries() { return entries; }

DataItemEntries::iterator DataItemMapLiteral::Find(const std::string& key) {
    for (DataItemEntries::iterator entry = entries.end(); entry != entries.begin();) {
        --entry;
        if (entry->first == key) return entry;
    }
    return entries.end();
}
