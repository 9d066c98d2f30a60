#include "qt/about_box.h"

#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "config/config_part.h"
#include "config/settings.h"
#include "qt/codec.h"

namespace orva {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT clicked();
    QLabel::mousePressEvent(event);
}

AboutBox::AboutBox(ConfigPart& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("About ORVA"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* name = new ClickLabel(QStringLiteral("ORVA"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);

    const auto& app = form_.env.app;
    auto* version = new ClickLabel(
        QStringLiteral("Version %1.%2").arg(app.versionMajor()).arg(app.versionMinor()), this);
    // The credits are the version tag's own: what follows its ", ".
    const std::string tag = VersionTag;
    auto* credits = new ClickLabel(fromCp1252(tag.substr(tag.find(", ") + 2)), this);
    auto* about = new ClickLabel(
        QStringLiteral("A chat client for the zone servers of a multiplayer game."), this);
    about->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(6);
    for (ClickLabel* label : {name, version, credits, about}) {
        label->setAlignment(Qt::AlignHCenter);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
        connect(label, &ClickLabel::clicked, this,
                [this] { PlaySoundFile(form_, form_.AppFolder + "bong24.wa2"); });
    }
    layout->addSpacing(10);
    layout->addWidget(buttons);
    setFixedWidth(320);
}

}  // namespace orva
