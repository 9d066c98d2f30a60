#include "platform/qt/macro_editor_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/binding.h"
#include "platform/qt/codec.h"

namespace orva {

MacroEditorWindow::MacroEditorWindow(FrmMain& main, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(main) {
    setWindowTitle(fromCp1252(model_.Caption.get()));
    setAttribute(Qt::WA_DeleteOnClose);
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

    auto status = [this](Label& caption, Label& value, QLabel*& out) {
        auto* row = new QHBoxLayout;
        auto* c = new QLabel(this);
        bindLabel(caption, c);
        out = new QLabel(this);
        bindLabel(value, out);
        row->addWidget(c);
        row->addWidget(out, 1);
        return row;
    };

    Command1_ = new QPushButton(this);
    Command2_ = new QPushButton(this);
    bindButton(model_.Command1, Command1_);
    bindButton(model_.Command2, Command2_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1_);
    buttons->addWidget(Command2_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(status(model_.lblProfile, model_.lblProfileSt, lblProfileSt_));
    layout->addLayout(status(model_.lblSaved, model_.lblSavedSt, lblSavedSt_));
    layout->addLayout(buttons);
    resize(460, sizeHint().height());

    FrmMacroEditor* m = &model_;
    model_.Command1.clicked.connect([m] { Command1_Click(*m); });
    model_.Command2.clicked.connect([m] { Command2_Click(*m); });
    QPointer<MacroEditorWindow> self(this);
    model_.unloadRequested.connect([self] {
        if (self) self->close();
    });

    Form_Load(model_);
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
