#include <gtest/gtest.h>

#include <limits>

#include "json/JsonDocument.h"

namespace vantorel {
namespace {

JsonDocument Loaded(const Text& json) {
  JsonDocument document;
  EXPECT_TRUE(document.Parse(json)) << json;
  return document;
}

TEST(JsonWriteTest, SetValueQuotesOrEvaluates) {
  JsonDocument document = Loaded(R"({"name":"old"})");
  document.SetValue("name", "new");
  EXPECT_EQ(document.GetText("name"), "new");
  document.SetValue("name", "it's");  // ends the literal early: nothing changes
  document.SetValue("missing.child", "x");
  EXPECT_EQ(document.ToText(), R"({"name":"new"})");
  document.SetValue("o", "", true);
  EXPECT_EQ(document.ToText(), R"({"name":"new","o":{}})");
  document.SetValue("o", R"({"k":[1,2]})", true);
  EXPECT_EQ(document.GetJson("o"), R"({"k":[1,2]})");
}

TEST(JsonWriteTest, SetJsonEvaluatesTheText) {
  JsonDocument document = Loaded(R"({"a":1,"m":2})");
  document.SetJson("m", "");  // undefined: left out of the JSON text
  EXPECT_EQ(document.ToText(), R"({"a":1})");
  document.SetJson("m", R"([true,{"x":null}])");
  EXPECT_EQ(document.ToText(), R"({"a":1,"m":[true,{"x":null}]})");
  document.SetJson("a", "not json");
  EXPECT_EQ(document.GetText("a"), "1");
}

TEST(JsonWriteTest, SetNumberWritesFiniteNumbers) {
  JsonDocument document;
  document.SetNumber("n", 0.1);
  EXPECT_EQ(document.GetText("n"), "0.1");
  document.SetNumber("n", -1e-7);
  EXPECT_EQ(document.GetNumber("n"), -1e-7);
  document.SetNumber("n", std::numeric_limits<double>::infinity());
  document.SetNumber("n", std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(document.ToText(), R"({"n":-1e-7})");
}

TEST(JsonWriteTest, AppendMakesTheTargetAnArrayFirst) {
  JsonDocument document = Loaded(R"({"s":"text","list":[1]})");
  document.Append("x", "missing");
  document.Append("v", "s");
  document.Append("5", "list", true);
  document.Append("5", "list");
  document.Append("y", "missing.child");  // no parent: nothing changes
  EXPECT_EQ(document.ToText(), R"({"s":["v"],"list":[1,5,"5"],"missing":["x"]})");
  document.Append("{\"k\":1}", "", true);
  EXPECT_EQ(document.ToText(), R"([{"k":1}])");
}

TEST(JsonWriteTest, SetElementAddressesTheRoot) {
  JsonDocument document = Loaded("[1]");
  document.SetElement(2, "7", true);
  EXPECT_EQ(document.ToText(), "[1,null,7]");
  document.SetElement(0, "a");
  EXPECT_EQ(document.ToText(), R"(["a",null,7])");
  document.Clear();
  document.SetElement(3, "x");
  EXPECT_EQ(document.ToText(), R"({"3":"x"})");
}

TEST(JsonWriteTest, RemoveElementSplicesTheRootArray) {
  const struct {
    int index;
    Text result;
  } cases[] = {{0, "[2,3]"}, {7, "[1,2,3]"}, {-1, "[1,2]"}};
  for (const auto& c : cases) {
    JsonDocument document = Loaded("[1, 2, 3]");
    document.RemoveElement(c.index);
    EXPECT_EQ(document.ToText(), c.result) << c.index;
  }
  JsonDocument object = Loaded(R"({"a":1})");
  object.RemoveElement(0);
  EXPECT_EQ(object.ToText(), R"({"a":1})");
}

TEST(JsonWriteTest, RemoveMemberElementUsesTheFirstBracketPair) {
  const struct {
    Text path;
    Text result;
  } cases[] = {{"list[1]", R"({"list":[1,3],"a":[{"b":[4,5,6]},7]})"},
               {"list[x]", R"({"list":[2,3],"a":[{"b":[4,5,6]},7]})"},
               {"list[ -1]", R"({"list":[1,2],"a":[{"b":[4,5,6]},7]})"},
               {"a[1].b[2]", R"({"list":[1,2,3],"a":[{"b":[4,5,6]}]})"},
               {"list", R"({"list":[1,2,3],"a":[{"b":[4,5,6]},7]})"}};
  for (const auto& c : cases) {
    JsonDocument document = Loaded(R"({"list":[1, 2, 3],"a":[{"b":[4,5,6]},7]})");
    document.RemoveMemberElement(c.path);
    EXPECT_EQ(document.ToText(), c.result) << c.path;
  }
}

TEST(JsonWriteTest, SetRootQuotesUnlessRaw) {
  JsonDocument document;
  document.SetRoot("abc");
  EXPECT_EQ(document.ToText(), "\"abc\"");
  document.SetRoot("[1, {\"a\":2}]", true);
  EXPECT_EQ(document.ToText(), R"([1,{"a":2}])");
  document.SetRoot("(", true);
  EXPECT_EQ(document.ToText(), R"([1,{"a":2}])");
}

}  // namespace
}  // namespace vantorel
