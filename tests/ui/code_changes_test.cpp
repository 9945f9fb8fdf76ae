// Setting a control from code runs its handler exactly when the control's state changes; the
// pages count on this to keep their pending values in step with the controls.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "ui/lists.h"
#include "ui/ranges.h"

namespace varnex::ui {
namespace {

// Makes one control of a kind, counts its handler runs, and returns how to set it from code.
using Make = std::function<std::function<void(int)>(Form&, int& runs)>;

const Make checkBox = [](Form& f, int& runs) -> std::function<void(int)> {
  auto& c = f.add<CheckBox>("CheckBox2");
  c.onClick = [&runs] { ++runs; };
  return [&c](int v) { c.setChecked(v != 0); };
};
const Make radioButton = [](Form& f, int& runs) -> std::function<void(int)> {
  auto& c = f.add<RadioButton>("RadioButton5");
  c.onClick = [&runs] { ++runs; };
  return [&c](int v) { c.setChecked(v != 0); };
};
const Make edit = [](Form& f, int& runs) -> std::function<void(int)> {
  auto& c = f.add<Edit>("Edit3");
  c.onChange = [&runs] { ++runs; };
  return [&c](int v) { c.setText(std::to_string(v)); };
};
const Make spinEdit = [](Form& f, int& runs) -> std::function<void(int)> {
  auto& c = f.add<SpinEdit>("SpinEdit1");
  c.setRange(0, 30);
  c.onChange = [&runs] { ++runs; };
  return [&c](int v) { c.setValue(v); };
};
const Make trackBar = [](Form& f, int& runs) -> std::function<void(int)> {
  auto& c = f.add<TrackBar>("TrackBar1");
  c.setRange(0, 10);
  c.onChange = [&runs] { ++runs; };
  return [&c](int v) { c.setPosition(v); };
};

TEST(SettingFromCode, RunsTheHandlerOnlyWhenTheStateChanges) {
  struct Case {
    const char* kind;
    const Make& make;
    int initial;
    int next;
    int runs;
  };
  const Case cases[] = {
      {"check box, same", checkBox, 1, 1, 0},
      {"check box, other", checkBox, 1, 0, 1},
      {"radio button, same", radioButton, 1, 1, 0},
      {"radio button, checked", radioButton, 0, 1, 1},
      {"edit, same", edit, 576, 576, 0},
      {"edit, other", edit, 576, 1500, 1},
      {"spin edit, same", spinEdit, 5, 5, 0},
      {"spin edit, other", spinEdit, 5, 6, 1},
      {"spin edit, clamped to the same", spinEdit, 30, 99, 0},
      {"spin edit, clamped to another", spinEdit, 29, 99, 1},
      {"slider, same", trackBar, 4, 4, 0},
      {"slider, other", trackBar, 4, 7, 1},
      {"slider, clamped to the same", trackBar, 10, 11, 0},
      {"slider, clamped to another", trackBar, 3, -1, 1},
  };
  for (const Case& c : cases) {
    Form form;
    int runs = 0;
    auto set = c.make(form, runs);
    set(c.initial);
    runs = 0;
    set(c.next);
    EXPECT_EQ(runs, c.runs) << c.kind;
  }
}

TEST(SettingFromCode, SelectingAListItemRunsNoHandlerButTheUsersChoiceDoes) {
  Form form;
  auto& combo = form.add<ComboBox>("ComboBox2");
  auto& list = form.add<ListBox>("ListBox1");
  for (ItemList* l : {static_cast<ItemList*>(&combo), static_cast<ItemList*>(&list)}) {
    int runs = 0;
    l->setItems({"none", "none", ""});
    l->onChange = [&] { ++runs; };
    l->setItemIndex(1);
    l->setItemIndex(0);
    EXPECT_EQ(runs, 0) << l->name();
    EXPECT_EQ(l->itemIndex(), 0) << l->name();
    l->choose(2);
    EXPECT_EQ(runs, 1) << l->name();
    EXPECT_EQ(l->itemIndex(), 2) << l->name();
  }
}

}  // namespace
}  // namespace varnex::ui
