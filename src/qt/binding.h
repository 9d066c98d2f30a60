// Binds the plain control models to Qt widgets: each widget follows its model's properties, and
// user input writes back to the model and raises the model's events.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "base/controls.h"

namespace orva {

QColor toQColor(Rgb colour);

// Enabled, Visible, ToolTipText and SetFocus; the focus events for a text or list box.
void bindControl(Control& model, QWidget* widget);
void bindPanel(Panel& model, QWidget* widget);
void bindLabel(Label& model, QLabel* widget);
void bindButton(Button& model, QPushButton* widget);
void bindCheckBox(CheckBox& model, QCheckBox* widget);
void bindTextBox(TextBox& model, QLineEdit* widget);
// Rows changed by the program (not by the user) reach assistive technology only while the list
// has the focus, so that a list that refreshes itself does not keep a screen reader talking.
void bindListBox(ListBox& model, QListWidget* widget);
void bindComboBox(ListBox& model, QComboBox* widget);
// The widget's accessible name follows a model text (a tip where the caption is ambiguous).
void bindAccessibleName(Prop<std::string>& text, QWidget* widget);
// A menu item or a menu's own action; "-" makes a separator. Check marks stay the model's: a click
// raises clicked and leaves the mark to the handler. A literal caption is user text (a macro):
// shown as it is, "&" and "-" included.
void bindMenuItem(MenuItem& model, QAction* action, bool checkable, bool literal = false);

// The key code a typed key stands for: its character in the code page, 13 for Enter; -1 when the
// key types nothing (arrows, function keys, bare modifiers).
int keyCode(const QKeyEvent& event);

}  // namespace orva
