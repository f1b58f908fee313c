#pragma once

#include <boost/shared_ptr.hpp>
#include <string>

class DataItem;
class DataItemArray;
class DataItemMap;
class DescriptionParser;

typedef boost::shared_ptr<DataItem> DataItemPtr;

// The five kinds of value a description holds.
enum DataItemType : int { kInt = 1, kDouble = 2, kString = 3, kMap = 4, kArray = 5 };

// One value of a description. Every conversion a kind does not support fails, so a
// value of the wrong kind is never read as some other value.
class DataItem {
public:
    explicit DataItem(DescriptionParser* parser);
    virtual ~DataItem();

    DataItemType Type() { return DoType(); }
    int AsInt() { return DoAsInt(); }
    double AsDouble() { return DoAsDouble(); }
    std::string AsString() { return DoAsString(); }
    // The map and array views never answer null: callers that must ask first use Type().
    DataItemMap* AsMap();
    DataItemArray* AsArray();
    // The top-level variable of that name in the description this item was read from.
    DataItemPtr Lookup(const std::string& name);

protected:
    virtual DataItemType DoType() = 0;
    virtual int DoAsInt();
    virtual double DoAsDouble();
    virtual std::string DoAsString();
    virtual DataItemMap* DoAsMap();
    virtual DataItemArray* DoAsArray();

    // Like Lookup, but answers false where the description has no such variable.
    bool FindVariable(const std::string& name, DataItemPtr& result) const;

    DescriptionParser* fParser;
};
