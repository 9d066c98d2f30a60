#include "qt/font_pick_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "config/config_part.h"
#include "qt/binding.h"
#include "qt/codec.h"
#include "qt/form_window.h"
#include "view/view_part.h"

namespace orva {

FontPickWindow::FontPickWindow(ViewPart& view, ConfigPart& config, QWidget* parent)
    : QDialog(parent), model_(view, config) {
    frameFormWindow(this, model_.Caption.get());
    setWindowModality(Qt::ApplicationModal);

    frFont_ = new QGroupBox(fromCp1252(model_.frFont.Caption.get()), this);
    cmbFont_ = new QComboBox(frFont_);
    cmbSize_ = new QComboBox(frFont_);
    for (QComboBox* c : {cmbFont_, cmbSize_}) {
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);  // a typed name or size is used, not listed
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
    }
    cmbFont_->setMinimumWidth(220);
    cmbSize_->setFixedWidth(72);
    auto* fields = new QGridLayout(frFont_);
    // Each label names its box for screen readers.
    auto* nameLabel = new QLabel(fromCp1252(model_.lblName.Caption.get()), frFont_);
    auto* sizeLabel = new QLabel(fromCp1252(model_.lblSize.Caption.get()), frFont_);
    nameLabel->setBuddy(cmbFont_);
    sizeLabel->setBuddy(cmbSize_);
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(cmbFont_, 0, 1);
    fields->addWidget(sizeLabel, 0, 2);
    fields->addWidget(cmbSize_, 0, 3);
    fields->setColumnStretch(1, 1);

    QHBoxLayout* profileRow =
        labelRow(this, model_.lblProfileCaption, model_.lblProfile, lblProfile_);

    // The preview stands on the chat view's own dark ground, where its colours are meant to be.
    RSamp_ = new QTextEdit(this);
    RSamp_->setReadOnly(true);
    RSamp_->setAccessibleName(QStringLiteral("Preview"));
    RSamp_->setLineWrapMode(QTextEdit::NoWrap);
    RSamp_->setMinimumHeight(90);
    QPalette dark = RSamp_->palette();
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, QColor(189, 191, 191));
    RSamp_->setPalette(dark);

    QHBoxLayout* buttons = buttonRow(this, model_.cmdSave, cmdSave_, model_.cmdClose, cmdClose_);
    // Enter belongs to the size box (it redraws the preview), never to a default button.
    for (QPushButton* b : {cmdSave_, cmdClose_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frFont_);
    layout->addLayout(profileRow);
    layout->addWidget(RSamp_, 1);
    layout->addLayout(buttons);
    resize(440, 260);

    bindCombo(model_.cmbFont, cmbFont_);
    bindCombo(model_.cmbSize, cmbSize_);
    FrmFontPick* m = &model_;
    model_.RSamp.redrawn.connect([this] { redraw(); });
    model_.cmdSave.clicked.connect([m] { cmdSave_Click(*m); });
    model_.cmdClose.clicked.connect([m] { cmdClose_Click(*m); });
    loadForm(this, model_);
}

FontPickWindow::~FontPickWindow() {
    // The widgets go while the model they report to still lives, and report nothing more.
    closing_ = true;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete w;
}

void FontPickWindow::bindCombo(ComboBox& model, QComboBox* widget) {
    QPointer<QComboBox> guard(widget);
    model.itemAdded.connect([guard, &model](int i) {
        if (!guard) return;
        const QSignalBlocker quiet(guard.data());
        const QString text = guard->currentText();
        guard->insertItem(i, fromCp1252(model.List(i)));
        guard->setEditText(text);  // adding a row must not replace what the box shows
    });
    model.Text.changed.connect([guard](const std::string& text) {
        if (guard && toCp1252(guard->currentText()) != text) guard->setEditText(fromCp1252(text));
    });
    connect(widget, &QComboBox::editTextChanged, this, [this, &model](const QString& text) {
        if (!closing_) model.Text.set(toCp1252(text));
    });
}

bool FontPickWindow::eventFilter(QObject* watched, QEvent* event) {
    if (closing_) return QDialog::eventFilter(watched, event);
    const bool font = watched == cmbFont_ || watched == cmbFont_->lineEdit();
    const bool size = watched == cmbSize_ || watched == cmbSize_->lineEdit();
    // The combo box and its line edit both see a key; the line edit's turn counts.
    const bool isEdit = watched == cmbFont_->lineEdit() || watched == cmbSize_->lineEdit();
    switch (event->type()) {
        case QEvent::KeyRelease:
            if (font && isEdit) cmbFont_KeyUp(model_);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (size && isEdit && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                cmbSize_KeyDown(model_, 13);
                return true;  // nothing else is to happen on Enter
            }
            break;
        }
        case QEvent::FocusOut:
            if (isEdit && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                if (font) cmbFont_Validate(model_);
                if (size) cmbSize_Validate(model_);
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void FontPickWindow::redraw() {
    if (closing_) return;
    const PreviewBox& box = model_.RSamp;
    // The model counts a line break as CR LF, the document as one character: map the indices.
    std::vector<int> at(box.Text.size() + 1);
    std::string shown;
    for (std::size_t i = 0; i < box.Text.size(); ++i) {
        at[i] = static_cast<int>(shown.size());
        if (box.Text[i] == '\r' && i + 1 < box.Text.size() && box.Text[i + 1] == '\n') {
            at[++i] = static_cast<int>(shown.size());
            shown += '\n';
        } else {
            shown += box.Text[i];
        }
    }
    at[box.Text.size()] = static_cast<int>(shown.size());
    RSamp_->setPlainText(fromCp1252(shown));

    QTextCursor cursor(RSamp_->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat all;
    all.setFontFamilies({fromCp1252(box.FontName)});
    // Below one point nothing can be drawn, and a size in the thousands would only stall the box.
    all.setFontPointSize(std::clamp(box.FontSize, 1, 400));
    cursor.mergeCharFormat(all);
    const int end = static_cast<int>(box.Text.size());
    for (const ColourSpan& span : box.colours) {
        const int from = std::clamp(span.start, 0, end);
        const int to = std::clamp(span.start + span.length, from, end);
        cursor.setPosition(at[static_cast<std::size_t>(from)]);
        cursor.setPosition(at[static_cast<std::size_t>(to)], QTextCursor::KeepAnchor);
        QTextCharFormat colour;
        colour.setForeground(toQColor(span.colour));
        cursor.mergeCharFormat(colour);
    }
}

}  // namespace orva
