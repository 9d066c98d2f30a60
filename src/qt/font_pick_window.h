// frmFontPick: the modal font picker, bound to its FrmFontPick model.
#pragma once

#include <QDialog>

#include "fonts/font_pick.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace orva {

struct ConfigPart;
struct ViewPart;

class FontPickWindow : public QDialog {
    Q_OBJECT
  public:
    FontPickWindow(ViewPart& view, ConfigPart& config, QWidget* parent = nullptr);
    ~FontPickWindow() override;

    FrmFontPick& model() { return model_; }
    QComboBox* cmbFont() const { return cmbFont_; }
    QComboBox* cmbSize() const { return cmbSize_; }
    QTextEdit* preview() const { return RSamp_; }
    QLabel* profileLabel() const { return lblProfile_; }
    QPushButton* saveButton() const { return cmdSave_; }
    QPushButton* closeButton() const { return cmdClose_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bindCombo(ComboBox& model, QComboBox* widget);
    void redraw();

    FrmFontPick model_;
    QGroupBox* frFont_ = nullptr;
    QComboBox *cmbFont_ = nullptr, *cmbSize_ = nullptr;
    QLabel* lblProfile_ = nullptr;
    QTextEdit* RSamp_ = nullptr;
    QPushButton *cmdSave_ = nullptr, *cmdClose_ = nullptr;
    bool closing_ = false;
};

}  // namespace orva
