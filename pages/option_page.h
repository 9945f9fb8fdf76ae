#pragma once
// The one vocabulary in which the catalogue pages declare their options, and the one wiring
// helper that turns a declaration into a check box, its help text, its marking and its row.
//
//   addOption({.control = "CheckBox1", .caption = "Disable Boot Function Keys",
//              .help = "Use this option to disable the function keys on boot up.", .slot = 0,
//              .row = toggleRow, .byDefault = false});
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/check_box_toggle.h"
#include "settings/pending_row.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

// How an option is stored: a toggle that follows its setting at every read pass, a pending value
// written only while the box is checked (the wiring supplies that condition), or no row of its
// own (the page writes it some other way).
using OptionRow = std::variant<std::monostate, settings::CheckRowDefinition, settings::PendingRowDefinition>;

struct OptionSpec {
  const char* control = "";  // "CheckBox1"
  const char* caption = "";
  const char* help = "";     // shown in the page's pane while the pointer is over the box
  int slot = 0;              // place in the page's two columns of options
  OptionRow row;
  // The option's own handling of a left press, after the marking, with the state before the
  // press: the detail editor of an action option.
  std::function<void(bool wasChecked)> editor;
  // Its state after "Back to Windows Default"; nothing leaves it as it is.
  std::optional<bool> byDefault;
};

// A toggle option's row: the box is checked when the stored value (the default when it cannot be
// read) equals checkedWhen; the write pass runs the actions of the box's state. Binary values are
// read only when present, so an absent one never shows an earlier cell.
settings::CheckRowDefinition toggle(settings::Location at, settings::ValueKind kind, settings::Value defaultValue,
                                    settings::Value checkedWhen, std::vector<settings::WriteAction> whenChecked,
                                    std::vector<settings::WriteAction> whenUnchecked);
// The same row, comparing texts ignoring case.
settings::CheckRowDefinition ignoringCase(settings::CheckRowDefinition row);

// A catalogue page with option boxes on its sheet, a description pane and perhaps an editor group.
class OptionPage : public app::Page {
 public:
  const char* sheet() const override { return sheetName_; }
  std::vector<app::NamedRow> rows() override;
  // Sets every option that has a default state, in declaration order, through the box's code path.
  void restoreDefaults() override;

 protected:
  // pane: the page's description pane ("Memo1"); editorGroup: "Page1", or "" without one.
  OptionPage(app::MainWindow& window, const char* sheet, const char* pane, const char* editorGroup);
  OptionPage(const OptionPage&) = delete;
  OptionPage& operator=(const OptionPage&) = delete;

  ui::CheckBox& addOption(OptionSpec option);
  // A row of the page's own, not tied to one option box.
  void addRow(std::string control, std::unique_ptr<settings::Row> row);
  ui::CheckBox& box(const std::string& control) { return form_.get<ui::CheckBox>(control); }
  void showHelp(const std::string& text) { window_.showHelp(pane_, text); }

  app::MainWindow& window_;
  ui::Form& form_;
  ui::TabSheet& sheet_;
  ui::Memo& pane_;

 private:
  const char* sheetName_;
  std::string editorGroup_;
  std::vector<std::pair<ui::CheckBox*, bool>> defaults_;
  std::vector<std::unique_ptr<CheckBoxToggle>> toggles_;
  std::vector<app::NamedRow> named_;
  std::vector<std::unique_ptr<settings::Row>> rows_;
};

}  // namespace varnex::pages
