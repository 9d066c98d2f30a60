// What the font picker and the macro editor windows share: their frame, their label and button
// rows, and loading the form with a close when the form asks to unload.
#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "base/controls.h"
#include "qt/binding.h"
#include "qt/codec.h"

namespace orva {

// The form's caption as title; the window frees itself when closed.
inline void frameFormWindow(QWidget* window, const std::string& caption) {
    window->setWindowTitle(fromCp1252(caption));
    window->setAttribute(Qt::WA_DeleteOnClose);
}

// A caption label and a value label, each bound to its model; the value takes the room left.
inline QHBoxLayout* labelRow(QWidget* parent, Label& caption, Label& value, QLabel*& valueLabel) {
    auto* row = new QHBoxLayout;
    auto* c = new QLabel(parent);
    bindLabel(caption, c);
    valueLabel = new QLabel(parent);
    bindLabel(value, valueLabel);
    row->addWidget(c);
    row->addWidget(valueLabel, 1);
    return row;
}

// Two buttons bound to their models, at the right.
inline QHBoxLayout* buttonRow(QWidget* parent, Button& first, QPushButton*& firstButton,
                              Button& second, QPushButton*& secondButton) {
    firstButton = new QPushButton(parent);
    secondButton = new QPushButton(parent);
    bindButton(first, firstButton);
    bindButton(second, secondButton);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(firstButton);
    row->addWidget(secondButton);
    return row;
}

// The window closes when its form asks to unload; then the form loads.
template <class Window, class Form>
void loadForm(Window* window, Form& form) {
    QPointer<Window> self(window);
    form.unloadRequested.connect([self] {
        if (self) self->close();
    });
    Form_Load(form);
}

}  // namespace orva
