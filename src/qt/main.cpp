// The program entry: the platform, the main window's model, start-up, the window, the event loop.
#include <QApplication>

#include "app/frm_main.h"
#include "app/handlers.h"
#include "app/startup.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVA"));

    orva::QtPlatform platform;
    std::unique_ptr<orva::FrmMain> form = platform.makeForm();
    if (!orva::StartUp(*form)) return 0;

    orva::MainWindow window(*form);
    orva::wireHandlers(*form);
    if (!orva::Form_Load(*form)) return 0;
    window.show();
    return QApplication::exec();
}
