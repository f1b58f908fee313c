#include "dataitem/DataItemContainer.h"

bool DataItemContainer::DoHasItem(DataItem* key) { return GetItem(key) != nullptr; }

std::string DataItemContainer::EntryText(const DataItemPtr& item) {
    if (!item) return std::string();
    return item->Type() == kString ? QuoteText(item->AsString()) : item->AsString();
}

std::string QuoteText(const std::string& text) {
    std::string result = "\"";
    for (const char* c = text.c_str(); *c != '\0'; ++c) {
        if (*c == '"') result += '\\';
        result += *c;
    }
    return result + '"';
}
