#include <gtest/gtest.h>

#include "FailureText.h"
#include "dataitem/DataItemArray.h"
#include "dataitem/DataItemDouble.h"
#include "dataitem/DataItemInt.h"
#include "dataitem/DataItemLValue.h"
#include "dataitem/DataItemMap.h"
#include "dataitem/DataItemString.h"
#include "dataitem/DescriptionParser.h"

namespace {

DataItemPtr Int(int value) { return DataItemPtr(new DataItemIntLiteral(nullptr, value)); }
DataItemPtr Double(double value) { return DataItemPtr(new DataItemDoubleLiteral(nullptr, value)); }
DataItemPtr Text(const std::string& value) {
    return DataItemPtr(new DataItemStringLiteral(nullptr, value));
}
boost::shared_ptr<DataItemMapLiteral> Map() {
    return boost::shared_ptr<DataItemMapLiteral>(new DataItemMapLiteral(nullptr));
}
boost::shared_ptr<DataItemArrayLiteral> Array() {
    return boost::shared_ptr<DataItemArrayLiteral>(new DataItemArrayLiteral(nullptr));
}

}  // namespace

TEST(DataItemConversion, LiteralsConvertOnlyWhereTheirKindAllowsAndRefuseAssignment) {
    EXPECT_EQ(7, Int(7)->AsInt());
    EXPECT_EQ(7.0, Int(7)->AsDouble());
    EXPECT_EQ("7", Int(7)->AsString());
    EXPECT_EQ("-12", Int(-12)->AsString());
    EXPECT_EQ("2.5", Double(2.5)->AsString());
    EXPECT_EQ("1", Double(1.0)->AsString());
    EXPECT_EQ("1.23457e+06", Double(1234567.0)->AsString());

    EXPECT_EQ("DataItem::DoAsInt not overridden", FailureText([] { Double(2.0)->AsInt(); }));
    EXPECT_EQ("DataItem::DoAsInt not overridden", FailureText([] { Text("12")->AsInt(); }));
    EXPECT_EQ("DataItem::DoAsDouble not overridden", FailureText([] { Text("1.5")->AsDouble(); }));
    EXPECT_EQ("DataItem::DoAsDouble not overridden", FailureText([] { Map()->AsDouble(); }));
    DataItemIntLiteral number(nullptr, 1);
    EXPECT_EQ("assigning to int literal", FailureText([&] { number.SetInt(2); }));
    EXPECT_EQ(1, number.AsInt());
    DataItemDoubleLiteral real(nullptr, 1.5);
    EXPECT_EQ("assigning to double literal", FailureText([&] { real.SetDouble(2); }));
    DataItemStringLiteral text(nullptr, "a");
    EXPECT_EQ("assigning to string literal", FailureText([&] { text.SetString("b"); }));
}

TEST(DataItemConversion, MapAndArrayViewsAnswerOnlyForTheirKind) {
    boost::shared_ptr<DataItemArrayLiteral> array = Array();
    EXPECT_EQ("Failed requirement: result != NULL", FailureText([&] { array->AsMap(); }));
    EXPECT_EQ(array.get(), array->AsArray());
    EXPECT_EQ("Failed requirement: result != NULL", FailureText([] { Int(1)->AsArray(); }));
    boost::shared_ptr<DataItemMapLiteral> map = Map();
    EXPECT_EQ(map.get(), map->AsMap());
}

TEST(DataItemMapLiteral, KeysMatchWholeAndAnEmptyEntryCountsOnlyForHas) {
    boost::shared_ptr<DataItemMapLiteral> map = Map();
    map->Set("a", Int(1));
    EXPECT_FALSE(map->Has("A"));
    EXPECT_FALSE(map->Get("ab"));
    map->Set("gap", DataItemPtr());
    DataItemPtr key = Text("gap");
    EXPECT_TRUE(map->Has("gap"));
    EXPECT_FALSE(map->HasItem(key.get()));
    EXPECT_EQ("{a=1, gap=}", map->AsString());
}

TEST(DataItemArrayLiteral, ReadsPastTheEndAsEmptyAndRefusesIndexesPastTheLimit) {
    boost::shared_ptr<DataItemArrayLiteral> array = Array();
    array->Set(1, Int(1));
    EXPECT_FALSE(array->Get(2));
    EXPECT_FALSE(array->Get(static_cast<uint32_t>(-1)));
    array->Set(DataItemArrayLiteral::kMaxIndex, Int(1));
    EXPECT_EQ("DataItemArray: index out of range",
              FailureText([&] { array->Set(DataItemArrayLiteral::kMaxIndex + 1, Int(1)); }));
    // A negative index arrives as 2^32 - 1.
    DataItemPtr negative = Int(-1);
    EXPECT_EQ("DataItemArray: index out of range",
              FailureText([&] { array->SetItem(negative.get(), Int(1)); }));
    EXPECT_EQ(static_cast<int>(DataItemArrayLiteral::kMaxIndex) + 1, array->Size());
}

TEST(DataItemPrint, QuotesTextsEscapingOnlyDoubleQuotesAndStopsAtNul) {
    boost::shared_ptr<DataItemMapLiteral> map = Map();
    map->Set("k", Text("x\"y"));
    EXPECT_EQ("{k=\"x\\\"y\"}", map->AsString());
    EXPECT_EQ("\"a\\b\"", QuoteText("a\\b"));
    EXPECT_EQ("\"a\"", QuoteText(std::string("a\0b", 3)));
}

TEST(DataItemLValue, ForwardsToItsTargetAndFailsWhileUnset) {
    boost::shared_ptr<DataItemMapLiteral> map = Map();
    DataItemLValue slot(nullptr, map, Text("x"));
    EXPECT_FALSE(slot.Target());
    EXPECT_EQ("DataItemLValue: slot is unset", FailureText([&] { slot.AsInt(); }));
    EXPECT_EQ("DataItemLValue: slot is unset", FailureText([&] { slot.Type(); }));
    EXPECT_EQ("DataItemLValue: slot is unset", FailureText([&] { slot.AsString(); }));

    slot.Assign(Int(4));
    EXPECT_EQ(kInt, slot.Type());
    EXPECT_EQ(4, slot.AsInt());
    EXPECT_EQ("4", slot.AsString());
    // The slot answers no double of its own, whatever it holds.
    EXPECT_EQ("DataItem::DoAsDouble not overridden", FailureText([&] { slot.AsDouble(); }));
    EXPECT_EQ("Failed requirement: result != NULL", FailureText([&] { slot.AsMap(); }));
    EXPECT_EQ("DataItemLValue: not a container",
              FailureText([] { DataItemLValue(nullptr, Int(1), Text("x")); }));
}

TEST(DataItemLookup, FindsTopLevelVariablesOfItsParserOnly) {
    DescriptionParser parser;
    const char* text = "a=1";
    ASSERT_TRUE(parser.ParseStatement(text));
    DataItemIntLiteral item(&parser, 0);
    EXPECT_EQ(1, item.Lookup("a")->AsInt());
    EXPECT_EQ("Failed requirement: fParser->Lookup(name, result)",
              FailureText([&] { item.Lookup("b"); }));
    EXPECT_EQ("Failed requirement: fParser->Lookup(name, result)",
              FailureText([] { Int(0)->Lookup("a"); }));
}
