#include "qt/qt_system.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "qt/codec.h"

namespace orva {

QString dialogText(const std::string& bytes) {
    QString text = fromCp1252(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

MsgResult QtDialogs::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                MsgButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(fromCp1252(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(dialogText(text));
    switch (icon) {
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    // The first button is the default, as the program's boxes have always had it.
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        case QMessageBox::Ok:
            return MsgResult::Ok;
        default:
            // Closed some other way: the escape answer.
            return buttons == MsgButtons::Ok      ? MsgResult::Ok
                   : buttons == MsgButtons::YesNo ? MsgResult::No
                                                  : MsgResult::Cancel;
    }
}

std::optional<std::string> QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& initial) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(fromCp1252(title));
    dialog.setLabelText(dialogText(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(fromCp1252(initial));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return toCp1252(dialog.textValue());
}

namespace {

std::uint32_t le32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
}

// Whether the file is a wave file with a format and some sound in it. The player reports
// nothing at all for anything else (it stays "loading" for ever), so it is tested here.
bool isPlayableWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return false;
    bool format = false;
    for (int chunk = 0; chunk < 64; ++chunk) {  // a wave file has a handful of chunks
        const QByteArray header = file.read(8);
        if (header.size() != 8) return false;
        const QByteArray id = header.left(4);
        const std::uint32_t size = le32(header.constData() + 4);
        if (id == "fmt ") format = size >= 16;
        if (id == "data") return format && size > 0 && file.bytesAvailable() > 0;
        if (!file.seek(file.pos() + size + (size & 1))) return false;  // chunks are word-aligned
    }
    return false;
}

}  // namespace

QtSound::QtSound(std::function<void()> beep) : beep_(std::move(beep)) {
    if (!beep_) beep_ = [] { QApplication::beep(); };
}

QtSound::~QtSound() = default;

void QtSound::play(const std::string& path) {
    if (current_) current_->stop();
    current_.reset();
    const QString file = pathFromBytes(path);
    if (!QFileInfo(file).isFile() || !isPlayableWave(file)) {
        beep_();
        return;
    }
    current_ = std::make_unique<QSoundEffect>();
    QSoundEffect* effect = current_.get();
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [this, effect] {
        if (effect->status() == QSoundEffect::Error) beep_();
    });
    effect->setSource(QUrl::fromLocalFile(file));
    effect->play();  // starts once loaded; returns at once
}

void QtShell::open(const std::string& link) {
    QDesktopServices::openUrl(QUrl::fromUserInput(fromCp1252(link)));
}

std::vector<std::string> QtFonts::installedFonts() const {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families())
        names.push_back(toCp1252(family));
    return names;
}

QtApp::QtApp(std::optional<std::string> folder, std::function<void()> onEnd)
    : folder_(std::move(folder)), onEnd_(std::move(onEnd)) {}

QtApp::~QtApp() = default;

std::string pathBytes(const QString& path) {
#ifdef Q_OS_WIN
    return path.toUtf8().toStdString();  // encodeName would give the ANSI code page there
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString pathFromBytes(const std::string& bytes) {
#ifdef Q_OS_WIN
    return QString::fromUtf8(bytes);
#else
    return QFile::decodeName(QByteArray::fromStdString(bytes));
#endif
}

std::string folderPath(const QString& folder) {
    // Always with its separator, so that start-up adds none of its own (a backslash would make
    // no path on every platform). The file system's own bytes: a home folder in Cyrillic or CJK
    // letters must come back as itself, not as question marks of the code page.
    std::string path = pathBytes(QDir::toNativeSeparators(folder));
    if (path.empty() || (path.back() != '/' && path.back() != '\\'))
        path += pathBytes(QString(QDir::separator()));
    return path;
}

std::string QtApp::programFolder() const {
    if (!folder_) return folderPath(QCoreApplication::applicationDirPath());
    std::string folder = *folder_;
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
        folder += pathBytes(QString(QDir::separator()));
    return folder;
}

QString instanceLockPath(const std::string& programFolder) {
    const QString canonical =
        QDir::cleanPath(QFileInfo(pathFromBytes(programFolder)).absoluteFilePath());
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/orva-") + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
}

bool QtApp::previousInstance() const {
    return previousInstanceIn(programFolder());
}

bool QtApp::previousInstanceIn(const std::string& home) const {
    // The first answer holds: this instance keeps the lock for its whole run.
    if (previous_) return *previous_;
    lock_ = std::make_unique<QLockFile>(instanceLockPath(home));
    lock_->setStaleLockTime(0);  // a lock left by a crashed run is stale once its process is gone
    previous_ = !lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError;
    if (*previous_) lock_.reset();
    return *previous_;
}

std::optional<std::string> QtApp::environmentVariable(const std::string& name) const {
    if (!qEnvironmentVariableIsSet(name.c_str())) return std::nullopt;
#ifdef Q_OS_WIN
    // Paths come from here: UTF-8 as every path, where qgetenv gives the ANSI code page.
    return pathBytes(qEnvironmentVariable(name.c_str()));
#else
    return qgetenv(name.c_str()).toStdString();  // the file system's own bytes, as paths are
#endif
}

void QtApp::end() {
    if (onEnd_) {
        onEnd_();
        return;
    }
    std::fflush(nullptr);
    if (QThread::currentThread()->loopLevel() > 0) {
        // Leave the event loop after the current event; nothing further is handled.
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(0);
        return;
    }
    std::exit(0);
}

}  // namespace orva
