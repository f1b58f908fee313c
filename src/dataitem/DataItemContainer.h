#pragma once

#include "dataitem/DataItem.h"

// A value holding entries under keys that are themselves items: texts for a map,
// integers for an array.
class DataItemContainer : public DataItem {
public:
    using DataItem::DataItem;

    int Size() { return DoSize(); }
    bool HasItem(DataItem* key) { return DoHasItem(key); }
    // Empty where there is no entry.
    DataItemPtr GetItem(DataItem* key) { return DoGetItem(key); }
    void SetItem(DataItem* key, const DataItemPtr& item) { DoSetItem(key, item); }

protected:
    virtual int DoSize() = 0;
    virtual bool DoHasItem(DataItem* key);
    virtual DataItemPtr DoGetItem(DataItem* key) = 0;
    virtual void DoSetItem(DataItem* key, const DataItemPtr& item) = 0;

    // How one entry appears in the printed map or array. An array grown past its
    // last set index holds places with no entry; they print as nothing.
    static std::string EntryText(const DataItemPtr& item);
};

// A text as it appears inside a printed map or array: in double quotes, with a
// backslash before every double quote, cut at the first NUL byte.
std::string QuoteText(const std::string& text);
