#include "qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <algorithm>

#include "app/frm_main.h"
#include "app/startup.h"
#include "app/window_flash.h"
#include "qt/about_box.h"
#include "qt/binding.h"
#include "qt/chat_view_widget.h"
#include "qt/codec.h"
#include "qt/find_bar.h"
#include "qt/log_window.h"
#include "qt/lst_box_widget.h"
#include "qt/paste_filter.h"
#include "qt/qt_notifier.h"

namespace orva {
namespace {

void place(QWidget* w, const Box& b) {
    w->setGeometry(b.left, b.top, b.width, b.height);
}

QWidget* filled(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    return w;
}

}  // namespace

QFont zoneListFont() {
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // The columns only line up in a fixed-pitch face; take the system's when the match is not one.
    if (!QFontInfo(font).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSize(9);
        return fixed;
    }
    return font;
}

MainWindow::MainWindow(FrmMain& form, QWidget* parent) : QMainWindow(parent), f_(form) {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    ui_.frameMain = buildZonePanel(central);
    ui_.frmLogin = buildLoginPanel(central);
    ui_.chatArea = buildChatArea(central);
    central->installEventFilter(this);
    setTabOrders();

    log_ = new LogWindow(f_, this);
    log_->setWindowFlag(Qt::Window, true);  // its own window, closed with this one

    buildMenus();
    bindAll();
    f_.notifier = std::make_unique<QtNotifier>(f_);
    resize(kDesignedWidth, kDesignedHeight + menuBar()->sizeHint().height());
    relayout();
}

MainWindow::~MainWindow() {
    f_.notifier.reset();  // the tray icon goes with the window
}

QAction* MainWindow::action(const MenuItem& item) const {
    const auto it = actions_.find(&item);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::addItem(QMenu* menu, MenuItem& item, bool checkable, bool literal) {
    auto* a = new QAction(menu);
    bindMenuItem(item, a, checkable, literal);
    menu->addAction(a);
    actions_[&item] = a;
    return a;
}

void MainWindow::buildMenus() {
    auto topMenu = [this](MenuItem& item) {
        QMenu* m = menuBar()->addMenu(QString());
        bindMenuItem(item, m->menuAction(), false);
        actions_[&item] = m->menuAction();
        return m;
    };

    QMenu* file = ui_.menu_File = topMenu(f_.menu_File);
    addItem(file, f_.menu_Connect);
    addItem(file, f_.menu_Disconnect);
    file->addSeparator();
    addItem(file, f_.menu_IgnorePubMacros, true);
    addItem(file, f_.menu_KillMessages, true);
    addItem(file, f_.menu_HighLightURL, true);
    addItem(file, f_.menu_Mute, true);
    addItem(file, f_.menu_AutoReconnect, true);
    addItem(file, f_.menu_Notify, true);
    addItem(file, f_.menu_Timestamps, true);
    file->addSeparator();
    addItem(file, f_.menu_SetFont);
    addItem(file, f_.menu_HighlightWords);
    file->addSeparator();
    addItem(file, f_.menu_Exit);

    ui_.menu_Zones = topMenu(f_.menu_Zones);
    zoneSeparator_ = addItem(ui_.menu_Zones, f_.menu_ZoneSep);
    addItem(ui_.menu_Zones, f_.menu_ZoneMan);
    for (int i = 0; i < static_cast<int>(f_.menu_Zone.size()); ++i)
        addZoneItem(i);
    f_.zoneMenuItemAdded.connect([guard = QPointer<MainWindow>(this)](int i) {
        if (guard) guard->addZoneItem(i);
    });

    QMenu* macros = ui_.menu_Macros = topMenu(f_.menu_Macros);
    for (MenuItem& m : f_.menu_Macro)
        addItem(macros, m, false, true);  // captions are the macros' texts
    addItem(macros, f_.menu_MacroSep);
    addItem(macros, f_.menu_MacroEditor);

    ui_.menu_Help = topMenu(f_.menu_Help);
    addItem(ui_.menu_Help, f_.menu_About);

    std::vector<QAction*> withKeys;
    for (const auto& [item, a] : actions_)
        if (!item->Shortcut.empty()) withKeys.push_back(a);
    auto* keys = new MenuShortcutFilter(this, std::move(withKeys));
    // F3 is a macro's key elsewhere; in the find field it steps through the matches.
    keys->leaveTo(ui_.findBar->field(),
                  {QKeySequence(Qt::Key_F3), QKeySequence(Qt::SHIFT | Qt::Key_F3)});
}

void MainWindow::addZoneItem(int index) {
    if (index < 0 || index >= static_cast<int>(f_.menu_Zone.size())) return;
    MenuItem& item = *f_.menu_Zone[static_cast<size_t>(index)];
    if (actions_.count(&item)) return;
    auto* a = new QAction(ui_.menu_Zones);
    bindMenuItem(item, a, true);
    // Zone items keep their order above the (hidden) separator.
    QAction* before = zoneSeparator_;
    if (index + 1 < static_cast<int>(f_.menu_Zone.size()))
        if (QAction* next = action(*f_.menu_Zone[static_cast<size_t>(index) + 1])) before = next;
    ui_.menu_Zones->insertAction(before, a);
    actions_[&item] = a;
}

QWidget* MainWindow::buildZonePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("frameMain"));
    panel->setFrameShape(QFrame::NoFrame);

    ui_.lstZones = new QListWidget(panel);
    ui_.lstZones->setObjectName(QStringLiteral("lstZones"));
    ui_.lstZones->setFont(zoneListFont());
    ui_.lstZones->setUniformItemSizes(true);
    ui_.lstZones->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ui_.lstZones->setAccessibleName(QStringLiteral("Zones"));

    pingRow_ = new QWidget(panel);
    auto* row = new QHBoxLayout(pingRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    ui_.cmdPingOn = new QPushButton(pingRow_);
    ui_.cmdPingOff = new QPushButton(pingRow_);
    ui_.ckPing = new QCheckBox(pingRow_);
    row->addWidget(ui_.cmdPingOn);
    row->addWidget(ui_.cmdPingOff);
    row->addSpacing(10);
    row->addWidget(ui_.ckPing);
    row->addStretch(1);
    return panel;
}

QWidget* MainWindow::buildLoginPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("frmLogin"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Plain);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(12, 10, 12, 12);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);

    ui_.lblSelProfile = new QLabel(panel);
    ui_.cmbManage = new QComboBox(panel);
    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(ui_.lblSelProfile);
    profileRow->addWidget(ui_.cmbManage, 1);
    ui_.lblSelProfile->setBuddy(ui_.cmbManage);  // the label names the box for screen readers
    grid->addLayout(profileRow, 0, 0, 1, 2);

    ui_.lblProfileSt = new QLabel(panel);
    ui_.lblProfileSt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette muted = ui_.lblProfileSt->palette();
    muted.setColor(QPalette::WindowText, QColor(110, 110, 110));
    ui_.lblProfileSt->setPalette(muted);

    auto label = [&](Label& model) {
        auto* l = new QLabel(panel);
        bindLabel(model, l);
        return l;
    };
    auto field = [&](QLineEdit*& out) {
        out = new QLineEdit(panel);
        return out;
    };
    auto save = [&](QPushButton*& out) {
        out = new QPushButton(panel);
        out->setFixedWidth(56);
        return out;
    };

    int r = 1;
    QLabel* userLabel = label(f_.lblUser);
    grid->addWidget(userLabel, r, 0);
    grid->addWidget(ui_.lblProfileSt, r++, 1);
    grid->addWidget(field(ui_.txtUser), r++, 0, 1, 2);
    userLabel->setBuddy(ui_.txtUser);
    grid->addItem(new QSpacerItem(0, 6), r++, 0);
    struct Row {
        Label& caption;
        QLineEdit*& box;
        QPushButton*& button;
    };
    for (const Row& row : {Row{f_.lblPass, ui_.txtPass, ui_.cmdSavePass},
                           Row{f_.lblAuto, ui_.txtAuto, ui_.cmdSaveAuto},
                           Row{f_.lblChats, ui_.txtchats, ui_.cmdSaveChats},
                           Row{f_.lblArena, ui_.txtInitialArena, ui_.cmdSaveArena}}) {
        QLabel* caption = label(row.caption);
        grid->addWidget(caption, r++, 0, 1, 2);
        grid->addWidget(field(row.box), r, 0);
        caption->setBuddy(row.box);
        grid->addWidget(save(row.button), r++, 1);
        grid->addItem(new QSpacerItem(0, 6), r++, 0);
    }
    grid->setRowStretch(r++, 1);

    ui_.cmdConnect = new QPushButton(panel);
    ui_.cmdConnect->setDefault(true);
    ui_.Command1 = new QPushButton(panel);
    ui_.cmdQuit = new QPushButton(panel);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(ui_.cmdConnect, 2);
    buttons->addWidget(ui_.Command1, 1);
    buttons->addWidget(ui_.cmdQuit, 1);
    grid->addLayout(buttons, r, 0, 1, 2);
    return panel;
}

QWidget* MainWindow::buildChatArea(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("chatArea"));
    ui_.txtLog = new ChatViewWidget(f_, area);
    ui_.txtLog->setAccessibleName(QStringLiteral("Chat"));
    ui_.Line1 = new QFrame(area);
    filled(ui_.Line1, QColor(128, 128, 128));
    ui_.txtOut = new QLineEdit(area);
    ui_.txtOut->setFrame(false);
    ui_.txtOut->setAccessibleName(QStringLiteral("Message"));
    QPalette dark = ui_.txtOut->palette();
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, QColor(189, 191, 191));
    ui_.txtOut->setPalette(dark);
    ui_.picSplit = filled(new QWidget(area), QColor(64, 64, 64));
    ui_.lstUsers = new LstBoxWidget(f_.lstUsers, area);
    ui_.lstUsers->listArea()->setAccessibleName(QStringLiteral("Players"));
    ui_.findBar = new FindBar(f_.txtLog, *ui_.txtLog, area);
    connect(ui_.findBar, &FindBar::closed, this, [this] {
        relayout();
        ui_.txtOut->setFocus(Qt::OtherFocusReason);
    });
    connect(ui_.txtLog, &ChatViewWidget::findRequested, this, [this] { openFind(); });
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, [this] { openFind(); });
    return area;
}

// Reading order: the zone panel on the left, then the login panel top to bottom, each field
// before its Save button; in the chat group the input line first, where typing happens.
void MainWindow::setTabOrders() {
    QWidget* const login[] = {
        ui_.lstZones, ui_.cmdPingOn,    ui_.cmdPingOff,      ui_.ckPing,       ui_.cmbManage,
        ui_.txtUser,  ui_.txtPass,      ui_.cmdSavePass,     ui_.txtAuto,      ui_.cmdSaveAuto,
        ui_.txtchats, ui_.cmdSaveChats, ui_.txtInitialArena, ui_.cmdSaveArena, ui_.cmdConnect,
        ui_.Command1, ui_.cmdQuit};
    for (std::size_t i = 1; i < std::size(login); ++i)
        setTabOrder(login[i - 1], login[i]);
    setTabOrder(ui_.txtOut, ui_.txtLog);
    setTabOrder(ui_.txtLog, ui_.lstUsers->listArea());
}

void MainWindow::bindAll() {
    FrmMain& f = f_;
    QPointer<MainWindow> self(this);
    f.Caption.changed.connect([self](const std::string& caption) {
        if (self) self->setWindowTitle(fromCp1252(caption));
    });
    setWindowTitle(fromCp1252(f.Caption.get()));

    bindPanel(f.frameMain, ui_.frameMain);
    bindListBox(f.lstZones, ui_.lstZones);
    bindButton(f.cmdPingOn, ui_.cmdPingOn);
    bindButton(f.cmdPingOff, ui_.cmdPingOff);
    bindCheckBox(f.ckPing, ui_.ckPing);

    bindPanel(f.frmLogin, ui_.frmLogin);
    bindComboBox(f.cmbManage, ui_.cmbManage);
    bindLabel(f.lblSelProfile, ui_.lblSelProfile);
    bindLabel(f.lblProfileSt, ui_.lblProfileSt);
    bindTextBox(f.txtUser, ui_.txtUser);
    bindTextBox(f.txtPass, ui_.txtPass);
    bindTextBox(f.txtAuto, ui_.txtAuto);
    bindTextBox(f.txtchats, ui_.txtchats);
    bindTextBox(f.txtInitialArena, ui_.txtInitialArena);
    bindButton(f.cmdSavePass, ui_.cmdSavePass);
    bindButton(f.cmdSaveAuto, ui_.cmdSaveAuto);
    bindButton(f.cmdSaveChats, ui_.cmdSaveChats);
    bindButton(f.cmdSaveArena, ui_.cmdSaveArena);
    // Four buttons read "Save"; their tips say what each saves.
    bindAccessibleName(f.cmdSavePass.ToolTipText, ui_.cmdSavePass);
    bindAccessibleName(f.cmdSaveAuto.ToolTipText, ui_.cmdSaveAuto);
    bindAccessibleName(f.cmdSaveChats.ToolTipText, ui_.cmdSaveChats);
    bindAccessibleName(f.cmdSaveArena.ToolTipText, ui_.cmdSaveArena);
    bindButton(f.cmdConnect, ui_.cmdConnect);
    bindButton(f.cmdQuit, ui_.cmdQuit);
    bindButton(f.Command1, ui_.Command1);

    bindTextBox(f.txtOut, ui_.txtOut);
    bindPastedLines(f.txtOut, ui_.txtOut);

    // The chat parts share the window with the login panels: one group shows at a time.
    f.frameMain.Visible.changed.connect([self](const bool&) {
        if (self) self->updateGroups();
    });
    f.frmLogin.Visible.changed.connect([self](const bool&) {
        if (self) self->updateGroups();
    });
    updateGroups();

    f.Command1.clicked.connect([self] {
        if (self) self->showLog();
    });
    f.frmLog.Visible.changed.connect([self](const bool& on) {
        if (!self || !self->log_) return;
        if (on) {
            self->log_->show();
        } else {
            self->log_->hide();
        }
    });
    f.menu_About.clicked.connect([self] {
        if (self) self->showAbout();
    });
    f.menu_SetFont.clicked.connect([self] {
        if (self) self->showFontPick();
    });
    f.menu_MacroEditor.clicked.connect([self] {
        if (self) self->showMacroEditor();
    });
    f.menu_ZoneMan.clicked.connect([self] {
        if (self) self->showZoneManager();
    });
    f.showRequested.connect([self] {
        if (!self) return;
        if (self->isMinimized()) self->showNormal();
        self->show();
        self->raise();
        self->activateWindow();
    });
    f.closeRequested.connect([self] {
        if (self) self->close();
    });
    // Lit for one tick of the flash timer; the next tick's "off" then finds it gone by itself.
    f.flashWindow.connect([self](bool on) {
        if (self && on) QApplication::alert(self, self->f_.tmrflash->interval());
    });
}

void MainWindow::updateGroups() {
    const bool chat = !f_.frameMain.Visible.get() && !f_.frmLogin.Visible.get();
    // Hiding the chat parts would pass the focus on to the zone list, whose focus handling
    // enables Connect at once; the hold after a disconnect must last its 3000 ms, so the focus
    // goes to the name field instead.
    QWidget* focus = QApplication::focusWidget();
    if (!chat && focus && ui_.chatArea->isAncestorOf(focus)) focus->clearFocus();
    ui_.chatArea->setVisible(chat);
    if (!chat && ui_.txtUser->isVisible() && !QApplication::focusWidget())
        ui_.txtUser->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showLog() {
    f_.frmLog.Visible.set(true);
    log_->show();
    log_->raise();
    log_->activateWindow();
}

void MainWindow::showAbout() {
    if (about_) {
        about_->raise();
        return;
    }
    about_ = new AboutBox(f_, this);
    about_->show();  // modal without a nested event loop
}

void MainWindow::showFontPick() {
    if (fontPick_) {
        fontPick_->raise();
        return;
    }
    fontPick_ = new FontPickWindow(f_, f_, this);
    fontPick_->show();  // modal without a nested event loop
}

void MainWindow::showZoneManager() {
    if (zoneManager_) {
        zoneManager_->raise();
        return;
    }
    zoneManager_ = new ZoneManagerWindow(f_, this);
    zoneManager_->show();
}

void MainWindow::showMacroEditor() {
    // Made on first use; every new one reads the store afresh.
    if (!macroEditor_) macroEditor_ = new MacroEditorWindow(f_, f_, this);
    macroEditor_->show();
    macroEditor_->raise();
    macroEditor_->activateWindow();
}

void MainWindow::openFind() {
    if (ui_.chatArea->isHidden()) return;  // nothing to search before the chat shows
    ui_.findBar->open();
    relayout();
}

void MainWindow::relayout() {
    Form_Resize(f_);
    QWidget* c = centralWidget();
    Form_Resize(layout_, c->width(), c->height(), f_.env.app.twipsPerPixelX());
    const MainLayout& l = layout_;
    place(ui_.frmLogin, l.frmLogin);
    place(ui_.frameMain, l.frameMain);
    place(ui_.lstZones, l.lstZones);
    place(pingRow_, l.pingRow);
    ui_.chatArea->setGeometry(0, 0, c->width(), c->height());
    place(ui_.lstUsers, l.lstUsers);
    place(ui_.picSplit, l.picSplit);
    // The find bar, while open, takes the bottom of the chat view's place.
    Box log = l.txtLog;
    if (!ui_.findBar->isHidden()) {
        const int bar = std::min(ui_.findBar->sizeHint().height(), std::max(0, log.height));
        log.height -= bar;
        place(ui_.findBar, {log.left, log.top + log.height, log.width, bar});
    }
    place(ui_.txtLog, log);
    place(ui_.txtOut, l.txtOut);
    place(ui_.Line1, l.Line1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) relayout();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) f_.WindowActive.set(isActiveWindow());
    if (event->type() == QEvent::WindowStateChange) {
        f_.WindowState.set(isMinimized() ? 1 : isMaximized() ? 2 : 0);
        relayout();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (Form_QueryUnload(f_)) {
        event->ignore();
        return;
    }
    if (log_) log_->hide();
    if (macroEditor_) macroEditor_->hide();
    event->accept();
}

MenuShortcutFilter::MenuShortcutFilter(QWidget* window, std::vector<QAction*> actions)
    : QObject(window), window_(window) {
    for (QAction* a : actions)
        actions_.emplace_back(a);
    qApp->installEventFilter(this);
}

void MenuShortcutFilter::leaveTo(QWidget* widget, std::vector<QKeySequence> keys) {
    keeper_ = widget;
    kept_ = std::move(keys);
}

QAction* MenuShortcutFilter::match(QObject* receiver, const QKeyEvent& key) const {
    auto* w = qobject_cast<QWidget*>(receiver);
    if (!w || !window_ || w->window() != window_) return nullptr;
    const auto mods = key.modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(QKeyCombination(mods, static_cast<Qt::Key>(key.key())));
    if (keeper_ && w == keeper_ && std::find(kept_.begin(), kept_.end(), pressed) != kept_.end())
        return nullptr;
    for (const QPointer<QAction>& a : actions_)
        if (a && a->isEnabled() && a->isVisible() && a->shortcut() == pressed) return a;
    return nullptr;
}

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    QAction* a = match(watched, *key);
    if (!a) return QObject::eventFilter(watched, event);
    key->accept();
    // Claiming the override brings the key press here, where the item runs instead of the field.
    if (type == QEvent::KeyPress) a->trigger();
    return true;
}

}  // namespace orva
