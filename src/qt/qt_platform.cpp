#include "qt/qt_platform.h"

#include "app/frm_main.h"

namespace orva {

QtPlatform::QtPlatform(std::optional<std::string> programFolder, std::function<void()> onEnd)
    : app(std::move(programFolder), std::move(onEnd)) {}

std::unique_ptr<FrmMain> QtPlatform::makeForm() {
    return std::make_unique<FrmMain>(env, std::make_unique<QtTcpClient>(),
                                     std::make_unique<QtUdpSocket>());
}

}  // namespace orva
