#include "qt/macro_editor_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/config_part.h"
#include "macros/macros_part.h"
#include "qt/binding.h"
#include "qt/form_window.h"

namespace orva {

MacroEditorWindow::MacroEditorWindow(MacrosPart& macros, ConfigPart& config, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(macros, config) {
    frameFormWindow(this, model_.Caption.get());
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(this->font().pointSize());
    setFont(font);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    for (std::size_t i = 0; i < txtMacro_.size(); ++i) {
        auto* label = new QLabel(this);
        bindLabel(model_.lblMacro[i], label);
        txtMacro_[i] = new QLineEdit(this);
        bindTextBox(model_.txtMacro[i], txtMacro_[i]);
        label->setBuddy(txtMacro_[i]);  // names the field for screen readers
        grid->addWidget(label, static_cast<int>(i), 0);
        grid->addWidget(txtMacro_[i], static_cast<int>(i), 1);
    }
    grid->setColumnStretch(1, 1);

    QHBoxLayout* buttons = buttonRow(this, model_.Command1, Command1_, model_.Command2, Command2_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(labelRow(this, model_.lblProfile, model_.lblProfileSt, lblProfileSt_));
    layout->addLayout(labelRow(this, model_.lblSaved, model_.lblSavedSt, lblSavedSt_));
    layout->addLayout(buttons);
    resize(460, sizeHint().height());

    FrmMacroEditor* m = &model_;
    model_.Command1.clicked.connect([m] { Command1_Click(*m); });
    model_.Command2.clicked.connect([m] { Command2_Click(*m); });
    loadForm(this, model_);
}

MacroEditorWindow::~MacroEditorWindow() {
    // The widgets go while the model they report to still lives.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete w;
}

void MacroEditorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload(model_);
}

}  // namespace orva
