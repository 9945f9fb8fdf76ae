#pragma once
// The "Add/Remove" page: the system's list of installed programs, the subkeys of the uninstall
// key, listed by display name. Its edits and removals are written at once, not by "Apply".
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/command_editor.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/lists.h"
#include "ui/pages.h"

namespace varnex::pages {

inline const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The order of a sorted native list box: ignoring the case of letters, texts equal but for case
// in the order they were added.
void sortLikeListBox(std::vector<std::string>& texts);

class AddRemovePage : public app::Page {
 public:
  AddRemovePage(app::MainWindow& window, CommandEditor& editor);
  AddRemovePage(const AddRemovePage&) = delete;
  AddRemovePage& operator=(const AddRemovePage&) = delete;

  const char* sheet() const override { return "TabSheet10"; }
  // ListBox2: the fill closes the read pass; the lists write nothing.
  std::vector<app::NamedRow> rows() override { return {{"ListBox2", &fillRow_}}; }
  // A confirmed edit asked for a refill while the editor was open.
  void activated() override;

  // Both lists anew from the registry; the selection is lost.
  void fill();
  // The entry the selected row (row 0 when none is selected) stands for: the last key, in key
  // order, whose display name is that text; entries without one never match. Nothing for an
  // empty list or no match.
  std::optional<std::string> matchSelected();

  void Button2Click();  // "Edit"
  void Button3Click();  // "Remove"

 private:
  struct FillRow : settings::Row {
    AddRemovePage& page;
    explicit FillRow(AddRemovePage& p) : page(p) {}
    void read(settings::Stores&) override { page.fill(); }
    void write(settings::Stores&) override {}
  };

  app::MainWindow& window_;
  CommandEditor& editor_;
  ui::TabSheet& TabSheet10;
  ui::ListBox& ListBox1;  // entry keys; hidden under the display list
  ui::ListBox& ListBox2;  // display names
  ui::Button& Button2;
  ui::Button& Button3;
  ui::GroupBox& GroupBox15;
  ui::Label& Label43;
  FillRow fillRow_{*this};
};

}  // namespace varnex::pages
