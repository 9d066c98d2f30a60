// frmMain: the real main window, bound to the FrmMain model.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <map>
#include <vector>

#include "qt/about_box.h"
#include "qt/font_pick_window.h"
#include "qt/macro_editor_window.h"
#include "qt/main_layout.h"
#include "qt/zone_manager_window.h"

namespace orva {

struct FrmMain;
struct MenuItem;
class ChatViewWidget;
class LstBoxWidget;
class LogWindow;
class FindBar;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(FrmMain& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The widgets by their control names, for the tests that drive the window as a user would.
    struct Widgets {
        QWidget* frameMain = nullptr;
        QListWidget* lstZones = nullptr;
        QPushButton *cmdPingOn = nullptr, *cmdPingOff = nullptr;
        QCheckBox* ckPing = nullptr;
        QWidget* frmLogin = nullptr;
        QComboBox* cmbManage = nullptr;
        QLabel *lblSelProfile = nullptr, *lblProfileSt = nullptr;
        QLineEdit *txtUser = nullptr, *txtPass = nullptr, *txtAuto = nullptr, *txtchats = nullptr,
                  *txtInitialArena = nullptr;
        QPushButton *cmdSavePass = nullptr, *cmdSaveAuto = nullptr, *cmdSaveChats = nullptr,
                    *cmdSaveArena = nullptr;
        QPushButton *cmdConnect = nullptr, *cmdQuit = nullptr, *Command1 = nullptr;
        QWidget* chatArea = nullptr;
        ChatViewWidget* txtLog = nullptr;
        QLineEdit* txtOut = nullptr;
        LstBoxWidget* lstUsers = nullptr;
        QWidget* picSplit = nullptr;
        QFrame* Line1 = nullptr;
        FindBar* findBar = nullptr;
        QMenu *menu_File = nullptr, *menu_Zones = nullptr, *menu_Macros = nullptr,
              *menu_Help = nullptr;
    };
    const Widgets& ui() const { return ui_; }
    // The action a menu item is shown as.
    QAction* action(const MenuItem& item) const;
    LogWindow* logWindow() const { return log_; }
    AboutBox* aboutBox() const { return about_; }
    FontPickWindow* fontPick() const { return fontPick_; }
    MacroEditorWindow* macroEditor() const { return macroEditor_; }
    ZoneManagerWindow* zoneManager() const { return zoneManager_; }
    const MainLayout& layoutState() const { return layout_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    QAction* addItem(QMenu* menu, MenuItem& item, bool checkable = false, bool literal = false);
    void addZoneItem(int index);
    QWidget* buildZonePanel(QWidget* parent);
    QWidget* buildLoginPanel(QWidget* parent);
    QWidget* buildChatArea(QWidget* parent);
    void setTabOrders();
    void bindAll();
    void updateGroups();
    void relayout();
    void showLog();
    void showAbout();
    void showFontPick();
    void showMacroEditor();
    void showZoneManager();
    void openFind();

    FrmMain& f_;
    Widgets ui_;
    QWidget* pingRow_ = nullptr;
    MainLayout layout_;
    std::map<const MenuItem*, QAction*> actions_;
    QAction* zoneSeparator_ = nullptr;
    LogWindow* log_ = nullptr;
    QPointer<AboutBox> about_;
    QPointer<FontPickWindow> fontPick_;
    QPointer<MacroEditorWindow> macroEditor_;
    QPointer<ZoneManagerWindow> zoneManager_;
};

// Lets an enabled menu item's shortcut win over a text field's own use of the same keys, in the
// window the menus belong to. A disabled item leaves the keys to the focused widget.
class MenuShortcutFilter : public QObject {
    Q_OBJECT
  public:
    MenuShortcutFilter(QWidget* window, std::vector<QAction*> actions);
    // In widget, these keys stay the widget's own (the find field's F3, say).
    void leaveTo(QWidget* widget, std::vector<QKeySequence> keys);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* match(QObject* receiver, const QKeyEvent& key) const;

    QPointer<QWidget> window_;
    std::vector<QPointer<QAction>> actions_;
    QPointer<QWidget> keeper_;
    std::vector<QKeySequence> kept_;
};

// The zone list's font: "Courier New" 9 pt, or the nearest fixed-pitch face where it is missing.
QFont zoneListFont();

}  // namespace orva
