#include "dataitem/DataItemArray.h"

#include "failure/FailRequirement.h"

DataItemType DataItemArray::DoType() { return kArray; }

std::string DataItemArray::DoAsString() {
    std::string text = "{";
    const char* separator = "";
    for (const DataItemPtr& item : Items()) {
        text += separator + EntryText(item);
        separator = ", ";
    }
    return text + "}";
}

DataItemArray* DataItemArray::DoAsArray() { return this; }

DataItemPtr DataItemArray::DoGetItem(DataItem* key) {
    return Get(static_cast<uint32_t>(key->AsInt()));
}

void DataItemArray::DoSetItem(DataItem* key, const DataItemPtr& item) {
    Set(static_cast<uint32_t>(key->AsInt()), item);
}

DataItemItems DataItemArray::DoItems() {
    const int size = Size();
    DataItemItems result;
    for (int i = 0; i < size; ++i) result.push_back(Get(static_cast<uint32_t>(i)));
    return result;
}

DataItemArrayLiteral::DataItemArrayLiteral(DescriptionParser* parser) : DataItemArray(parser) {}

int DataItemArrayLiteral::DoSize() { return static_cast<int>(items.size()); }

DataItemPtr DataItemArrayLiteral::DoGet(uint32_t index) {
    return index < items.size() ? items[index] : DataItemPtr();
}

void DataItemArrayLiteral::DoSet(uint32_t index, const DataItemPtr& item) {
    // A negative index arrives here as a huge one.
    if (index > kMaxIndex) FailRequirement("DataItemArray: index out of range");
    if (index >= items.size()) items.resize(index + 1);
    items[index] = item;
}

DataItemItems DataItemArrayLiteral::DoItems() { return items; }
