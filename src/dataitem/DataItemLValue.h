#pragma once

#include <boost/shared_ptr.hpp>

#include "dataitem/DataItem.h"

class DataItemContainer;

// A place inside a container, named by a key: the left-hand side of a statement. It
// reads as whatever the place holds; it keeps its container and key alive.
class DataItemLValue : public DataItem {
public:
    // Fails where the container item is not a map or an array.
    DataItemLValue(DescriptionParser* parser, const DataItemPtr& container, const DataItemPtr& key);

    // Empty while nothing is stored at the place.
    DataItemPtr Target();
    void Assign(const DataItemPtr& item);

protected:
    DataItemType DoType() override;
    int DoAsInt() override;
    std::string DoAsString() override;
    DataItemMap* DoAsMap() override;
    DataItemArray* DoAsArray() override;

private:
    // The item at the place; an empty place has nothing to convert, so it fails.
    DataItemPtr StoredTarget();

    boost::shared_ptr<DataItemContainer> container;
    DataItemPtr key;
};
