#include "ui/edits.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/form.h"

namespace varnex::ui {
namespace {

TEST(IntegerOf, AcceptsSignedDecimalWithin32BitsOnly) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"0", 0},         {"30", 30},         {"-5", -5},          {"+7", 7},
      {"007", 7},       {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"", std::nullopt},  {"-", std::nullopt},  {"+", std::nullopt},    {"+-1", std::nullopt},
      {"12a", std::nullopt}, {"1.5", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt},
      {"2147483648", std::nullopt}, {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(integerOf(c.text), c.value) << '"' << c.text << '"';
}

TEST(Edit, TypingRunsOnChangeForNewTextRespectingLimitAndReadOnly) {
  Form form;
  auto& e = form.add<Edit>("Edit3");
  std::vector<std::string> seen;
  e.onChange = [&] { seen.push_back(e.text()); };
  e.maxLength = 5;
  e.type("1500");
  e.type("1500");
  e.type("1234567");
  e.readOnly = true;
  e.type("9");
  e.readOnly = false;
  e.enabled = false;
  e.type("9");
  EXPECT_EQ(seen, (std::vector<std::string>{"1500", "12345"}));
  e.setText("1234567");  // the limit is on typing only
  EXPECT_EQ(e.text(), "1234567");
}

// The numeric edit rule as a page writes it in its handler: a handler may set the text it is
// reacting to, and the model then runs it again for the text it put back.
TEST(Edit, AHandlerCanPutBackTheLastAcceptedText) {
  Form form;
  auto& e = form.add<Edit>("Edit3");
  std::string pending = "576";
  int runs = 0;
  e.onChange = [&] {
    ++runs;
    if (!e.text().empty() && !integerOf(e.text())) {
      e.setText(pending);
      e.caret = 5;
    }
    pending = e.text();
  };
  e.type("57x");
  EXPECT_EQ(e.text(), "576");
  EXPECT_EQ(pending, "576");
  EXPECT_EQ(e.caret, 5);
  EXPECT_EQ(runs, 2);
  e.type("");
  EXPECT_EQ(pending, "");
}

TEST(SpinEdit, SettingTheValueClampsToTheRange) {
  struct Case {
    int min, max, set;
    std::string text;
  };
  const Case cases[] = {
      {0, 30, 15, "15"},   {0, 30, -1, "0"},     {0, 30, 31, "30"},  {0, 30, 30, "30"},
      {0, 500, 9999, "500"}, {60, 3600, 0, "60"}, {60, 3600, 7200, "3600"},
  };
  for (const Case& c : cases) {
    Form form;
    auto& s = form.add<SpinEdit>("SpinEdit1");
    s.setRange(c.min, c.max);
    s.setValue(c.set);
    EXPECT_EQ(s.text(), c.text) << c.min << ".." << c.max << " set " << c.set;
    EXPECT_EQ(s.value(), std::stoi(c.text));
  }
}

// Typed texts, then what the field shows and what it is worth, before and after focus loss.
TEST(SpinEdit, TypedTextFollowsTheNumericRuleAndFocusLossClamps) {
  struct Case {
    std::vector<std::string> typed;
    std::string text;
    int value;
    std::string textAfterFocusLoss;
  };
  const Case cases[] = {
      {{"12"}, "12", 12, "12"},
      {{"99"}, "99", 99, "30"},       // out of range is kept while typing
      {{"-4"}, "-4", -4, "0"},
      {{"12", "1a"}, "12", 12, "12"},  // not an integer: the last accepted text comes back
      {{"abc"}, "7", 7, "7"},          // from the value set before typing
      {{""}, "", 0, ""},                // empty is accepted and worth 0
      {{"", "x"}, "", 0, ""},
      {{"1234"}, "123", 123, "30"},    // three characters at most
  };
  for (const Case& c : cases) {
    Form form;
    auto& s = form.add<SpinEdit>("SpinEdit1");
    s.setRange(0, 30);
    s.maxLength = 3;
    s.setValue(7);
    for (const auto& t : c.typed) s.type(t);
    std::string what = c.typed.back();
    EXPECT_EQ(s.text(), c.text) << what;
    EXPECT_EQ(s.value(), c.value) << what;
    s.focusLost();
    EXPECT_EQ(s.text(), c.textAfterFocusLoss) << what;
  }
}

TEST(SpinEdit, ValueOfATextSetByCodeThatIsNoIntegerIsZero) {
  Form form;
  auto& s = form.add<SpinEdit>("SpinEdit8");
  s.setRange(60, 3600);
  s.setText("soon");
  EXPECT_EQ(s.value(), 0);
  s.focusLost();
  EXPECT_EQ(s.text(), "soon");
}

TEST(SpinEdit, ButtonsStepWithinTheRange) {
  Form form;
  auto& s = form.add<SpinEdit>("SpinEdit1");
  s.setRange(0, 2);
  int runs = 0;
  s.onChange = [&] { ++runs; };
  s.stepDown();
  s.stepUp();
  s.stepUp();
  s.stepUp();
  EXPECT_EQ(s.text(), "2");
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace varnex::ui
