#include "dataitem/DataItemLValue.h"

#include "dataitem/DataItemContainer.h"
#include "failure/FailRequirement.h"

DataItemLValue::DataItemLValue(DescriptionParser* parser, const DataItemPtr& container,
                               const DataItemPtr& key)
    : DataItem(parser),
      container(boost::dynamic_pointer_cast<DataItemContainer>(container)),
      key(key) {
    if (!this->container) FailRequirement("DataItemLValue: not a container");
}

DataItemPtr DataItemLValue::Target() { return container->GetItem(key.get()); }

void DataItemLValue::Assign(const DataItemPtr& item) { container->SetItem(key.get(), item); }

DataItemType DataItemLValue::DoType() { return StoredTarget()->Type(); }

int DataItemLValue::DoAsInt() { return StoredTarget()->AsInt(); }

std::string DataItemLValue::DoAsString() { return StoredTarget()->AsString(); }

DataItemMap* DataItemLValue::DoAsMap() { return StoredTarget()->AsMap(); }

DataItemArray* DataItemLValue::DoAsArray() { return StoredTarget()->AsArray(); }

DataItemPtr DataItemLValue::StoredTarget() {
    DataItemPtr target = Target();
    if (!target) FailRequirement("DataItemLValue: slot is unset");
    return target;
}
