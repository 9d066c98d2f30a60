#include "qt/qt_system.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "platform/files.h"

namespace orva {
namespace {

// Runs answer(box) on the next modal dialog of type T once it is open; bounded.
template <class T>
void whenOpen(std::function<void(T*)> answer) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, answer, tries] {
        if (auto* box = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(box);
        } else if (++*tries > 500) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton byDefault = QMessageBox::NoButton;
};

TEST(QtDialogs, MessageBoxShowsExactlyWhatWasAskedAndReturnsTheAnswer) {
    struct Case {
        std::string text, title;
        MsgIcon icon;
        MsgButtons buttons;
        QMessageBox::StandardButton press;  // NoButton: close with Escape
        QString shownText;
        QMessageBox::Icon shownIcon;
        QMessageBox::StandardButtons shownButtons;
        MsgResult result;
    };
    const Case cases[] = {
        {"Current Config Version: 1.0\r\n\r\nPlease seek the ReadMe.txt", "Config Update Required.",
         MsgIcon::Error, MsgButtons::Ok, QMessageBox::Ok,
         "Current Config Version: 1.0\n\nPlease seek the ReadMe.txt", QMessageBox::Critical,
         QMessageBox::Ok, MsgResult::Ok},
        {"Are you sure you wish to disconnect?", "Quit?", MsgIcon::None, MsgButtons::YesNoCancel,
         QMessageBox::No, "Are you sure you wish to disconnect?", QMessageBox::NoIcon,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, MsgResult::No},
        {"Are you sure you wish to disconnect?", "Quit?", MsgIcon::None, MsgButtons::YesNoCancel,
         QMessageBox::NoButton, "Are you sure you wish to disconnect?", QMessageBox::NoIcon,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, MsgResult::Cancel},
        {"Confirm to save the password into profile.", "Save Password [J\xF6rg]", MsgIcon::None,
         MsgButtons::OkCancel, QMessageBox::Cancel, "Confirm to save the password into profile.",
         QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel, MsgResult::Cancel},
        {"Invalid Zone Selection", "hmmm", MsgIcon::Exclamation, MsgButtons::Ok,
         QMessageBox::NoButton, "Invalid Zone Selection", QMessageBox::Warning, QMessageBox::Ok,
         MsgResult::Ok},
        {"<b>not bold</b>\rline", "Data", MsgIcon::Information, MsgButtons::YesNo, QMessageBox::Yes,
         "<b>not bold</b>\nline", QMessageBox::Information, QMessageBox::Yes | QMessageBox::No,
         MsgResult::Yes},
    };
    for (const Case& c : cases) {
        Seen seen;
        whenOpen<QMessageBox>([&seen, &c](QMessageBox* box) {
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                    box->standardButton(box->defaultButton())};
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            if (c.press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(c.press)->click();
        });
        QtDialogs dialogs;
        const MsgResult result = dialogs.messageBox(c.text, c.title, c.icon, c.buttons);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(seen.title, QString::fromLatin1(c.title.c_str()));
        EXPECT_EQ(seen.text, c.shownText);
        EXPECT_EQ(seen.icon, c.shownIcon);
        EXPECT_EQ(seen.buttons, c.shownButtons);
        // The first button is the default one.
        const auto first = (c.shownButtons & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        EXPECT_EQ(seen.byDefault, first);
    }
}

TEST(QtDialogs, InputBoxReturnsTextOrNothing) {
    struct Case {
        QString typed;
        bool ok;
        std::optional<std::string> result;
    };
    const Case cases[] = {
        {QStringLiteral("J\u00f6rg\u03a9"), true, std::string("J\xF6rg?")},
        {QString(), true, std::string()},  // an empty name is still an answer
        {QStringLiteral("ignored"), false, std::nullopt},
    };
    for (const Case& c : cases) {
        QString title, label;
        whenOpen<QInputDialog>([&](QInputDialog* d) {
            title = d->windowTitle();
            label = d->labelText();
            d->setTextValue(c.typed);
            if (c.ok)
                d->accept();
            else
                d->reject();
        });
        QtDialogs dialogs;
        EXPECT_EQ(dialogs.inputBox("Enter Username for initial profile:", "Enter Username"),
                  c.result);
        EXPECT_EQ(title, QStringLiteral("Enter Username"));
        EXPECT_EQ(label, QStringLiteral("Enter Username for initial profile:"));
    }
}

// Two folders whose names differ only in Cyrillic letters are two homes.
TEST(QtApp, OneInstancePerProgramFolder) {
    QTemporaryDir root;
    const QString a = root.filePath(QStringLiteral("\u0418\u0433\u0440\u044B"));
    const QString b = root.filePath(QStringLiteral("\u0418\u0433\u0440\u0430"));
    ASSERT_TRUE(QDir().mkdir(a) && QDir().mkdir(b));
    QFile zones(a + QStringLiteral("/zone.dat"));
    ASSERT_TRUE(zones.open(QIODevice::WriteOnly));
    zones.close();
    const std::string folderA = folderPath(a), folderB = folderPath(b);
    EXPECT_NE(folderA, folderB);
    EXPECT_TRUE(files::exists(folderA + "zone.dat"));
    {
        QtApp first(folderA);
        EXPECT_FALSE(first.previousInstance());
        EXPECT_FALSE(first.previousInstance());  // asking again does not see itself
        QtApp second(folderA);
        EXPECT_TRUE(second.previousInstance());
        QtApp sameWithSlash(folderA + "/");  // the same folder, one slash more
        EXPECT_TRUE(sameWithSlash.previousInstance());
        QtApp elsewhere(folderB);
        EXPECT_FALSE(elsewhere.previousInstance());
    }
    // Gone with its instance: the next one starts.
    QtApp later(folderA);
    EXPECT_FALSE(later.previousInstance());
}

TEST(QtApp, ProgramFolderAndEnd) {
    QtApp real;
    EXPECT_EQ(real.programFolder(),
              QDir::toNativeSeparators(QApplication::applicationDirPath() + "/").toStdString());
    int ends = 0;
    QtApp test("/tmp/somewhere", [&] { ++ends; });
    EXPECT_EQ(test.programFolder(), "/tmp/somewhere/");  // ends in a separator, never two
    EXPECT_EQ(QtApp("/tmp/there/").programFolder(), "/tmp/there/");
    test.end();
    EXPECT_EQ(ends, 1);
}

// A wave file: RIFF header, the chunks given, nothing else.
QByteArray wave(const QByteArray& chunks) {
    QByteArray out("RIFF");
    const quint32 size = static_cast<quint32>(4 + chunks.size());
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((size >> (8 * i)) & 0xFF);
    return out + "WAVE" + chunks;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out(id);
    const quint32 size = static_cast<quint32>(body.size());
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((size >> (8 * i)) & 0xFF);
    out += body;
    if (body.size() % 2) out += '\0';
    return out;
}

TEST(QtSound, FileThatCannotBePlayedBeeps) {
    // 16-bit mono PCM at 22050 Hz.
    const QByteArray fmt = chunk("fmt ", QByteArray::fromHex("010001002256000044ac00000200"
                                                             "1000"));
    const QByteArray samples = chunk("data", QByteArray(400, '\x10'));
    struct Case {
        const char* what;
        QByteArray bytes;  // written as the file; empty name: no file at all
        bool beeps;
    } cases[] = {
        {"a wave file", wave(fmt + samples), false},
        {"a wave file with a list chunk first", wave(chunk("LIST", "INFOabc") + fmt + samples),
         false},
        {"an empty file", "", true},
        {"text", "not a sound at all", true},
        {"a header and nothing more", wave(""), true},
        {"no format", wave(samples), true},
        {"no samples", wave(fmt + chunk("data", "")), true},
        {"cut off inside its header", wave(fmt + samples).left(30), true},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("cue.wa2"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        int beeps = 0;
        QtSound sound([&] { ++beeps; });
        sound.play(path.toStdString());
        EXPECT_EQ(beeps, c.beeps ? 1 : 0);
    }

    int beeps = 0;
    QtSound sound([&] { ++beeps; });
    sound.play(dir.filePath("missing.wav").toStdString());
    EXPECT_EQ(beeps, 1);
    sound.play(dir.path().toStdString());  // a folder is no sound either
    EXPECT_EQ(beeps, 2);
}

}  // namespace
}  // namespace orva
