#include "pages/option_page.h"

#include "pages/layout.h"

namespace varnex::pages {

settings::CheckRowDefinition toggle(settings::Location at, settings::ValueKind kind, settings::Value defaultValue,
                                    settings::Value checkedWhen, std::vector<settings::WriteAction> whenChecked,
                                    std::vector<settings::WriteAction> whenUnchecked) {
  settings::CheckRowDefinition d;
  d.at = std::move(at);
  d.kind = kind;
  d.read.defaultValue = std::move(defaultValue);
  d.read.checkedWhen = std::move(checkedWhen);
  d.read.ifPresent = kind == settings::ValueKind::Binary;
  d.whenChecked = std::move(whenChecked);
  d.whenUnchecked = std::move(whenUnchecked);
  return d;
}

settings::CheckRowDefinition ignoringCase(settings::CheckRowDefinition row) {
  row.read.ignoreCase = true;
  return row;
}

OptionPage::OptionPage(app::MainWindow& window, const char* sheet, const char* pane, const char* editorGroup)
    : window_(window),
      form_(window.form()),
      sheet_(form_.get<ui::TabSheet>(sheet)),
      pane_(form_.get<ui::Memo>(pane)),
      sheetName_(sheet),
      editorGroup_(editorGroup) {}

ui::CheckBox& OptionPage::addOption(OptionSpec option) {
  auto& box = form_.add<ui::CheckBox>(option.control, &sheet_, optionBounds(option.slot), option.caption);
  const std::string help = option.help;
  box.onMouseMove = [this, help] { showHelp(help); };
  window_.attachOption(box, editorGroup_, std::move(option.editor));
  if (option.byDefault) defaults_.emplace_back(&box, *option.byDefault);

  if (auto* check = std::get_if<settings::CheckRowDefinition>(&option.row)) {
    check->control = option.control;
    toggles_.push_back(std::make_unique<CheckBoxToggle>(box));
    addRow(option.control, std::make_unique<settings::CheckRow>(std::move(*check), *toggles_.back()));
  } else if (auto* pending = std::get_if<settings::PendingRowDefinition>(&option.row)) {
    pending->writes = [&box] { return box.checked(); };
    addRow(option.control, std::make_unique<settings::PendingRow>(std::move(*pending)));
  }
  return box;
}

void OptionPage::addRow(std::string control, std::unique_ptr<settings::Row> row) {
  named_.push_back({std::move(control), row.get()});
  rows_.push_back(std::move(row));
}

std::vector<app::NamedRow> OptionPage::rows() { return named_; }

void OptionPage::restoreDefaults() {
  for (auto& [box, checked] : defaults_) box->setChecked(checked);
}

}  // namespace varnex::pages
