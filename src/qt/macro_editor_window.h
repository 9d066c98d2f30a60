// frmMacroEditor: the macro editor window, bound to its FrmMacroEditor model. Not modal.
#pragma once

#include <QWidget>
#include <array>

#include "macros/macro_editor.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orva {

struct ConfigPart;
struct MacrosPart;

class MacroEditorWindow : public QWidget {
    Q_OBJECT
  public:
    MacroEditorWindow(MacrosPart& macros, ConfigPart& config, QWidget* parent = nullptr);
    ~MacroEditorWindow() override;

    FrmMacroEditor& model() { return model_; }
    QLineEdit* field(int index) const { return txtMacro_.at(static_cast<std::size_t>(index)); }
    QLabel* savedStatus() const { return lblSavedSt_; }
    QLabel* profileLabel() const { return lblProfileSt_; }
    QPushButton* saveButton() const { return Command1_; }
    QPushButton* closeButton() const { return Command2_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    FrmMacroEditor model_;
    std::array<QLineEdit*, 8> txtMacro_{};
    QLabel *lblProfileSt_ = nullptr, *lblSavedSt_ = nullptr;
    QPushButton *Command1_ = nullptr, *Command2_ = nullptr;
};

}  // namespace orva
