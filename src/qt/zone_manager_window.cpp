#include "qt/zone_manager_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "qt/binding.h"
#include "qt/form_window.h"
#include "zones/zones_part.h"

namespace orva {

ZoneManagerWindow::ZoneManagerWindow(ZonesPart& main, QWidget* parent)
    : QDialog(parent), model_(main) {
    frameFormWindow(this, model_.Caption.get());
    setModal(true);

    list_ = new QListWidget(this);
    bindListBox(model_.lstZones, list_);
    list_->setAccessibleName(QStringLiteral("Zones"));

    auto button = [this](Button& b) {
        auto* w = new QPushButton(this);
        bindButton(b, w);
        w->setAutoDefault(false);
        return w;
    };
    auto* side = new QVBoxLayout;
    for (Button* b :
         {&model_.cmdAdd, &model_.cmdEdit, &model_.cmdRemove, &model_.cmdUp, &model_.cmdDown})
        side->addWidget(button(*b));
    side->addStretch(1);

    auto* fields = new QGridLayout;
    int row = 0;
    for (auto [label, box, out] : {std::tuple{&model_.lblName, &model_.txtName, &name_},
                                   std::tuple{&model_.lblHost, &model_.txtHost, &host_},
                                   std::tuple{&model_.lblPort, &model_.txtPort, &port_}}) {
        auto* l = new QLabel(this);
        bindLabel(*label, l);
        *out = new QLineEdit(this);
        bindTextBox(*box, *out);
        l->setBuddy(*out);
        fields->addWidget(l, row, 0);
        fields->addWidget(*out, row++, 1);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);
    QPushButton *ok = nullptr, *cancel = nullptr;
    QHBoxLayout* bottom = buttonRow(this, model_.cmdOK, ok, model_.cmdCancel, cancel);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(fields);
    layout->addLayout(bottom);
    resize(460, 360);

    FrmZoneManager* m = &model_;
    m->lstZones.clicked.connect([m] { lstZones_Click(*m); });
    m->cmdAdd.clicked.connect([m] { cmdAdd_Click(*m); });
    m->cmdEdit.clicked.connect([m] { cmdEdit_Click(*m); });
    m->cmdRemove.clicked.connect([m] { cmdRemove_Click(*m); });
    m->cmdUp.clicked.connect([m] { cmdUp_Click(*m); });
    m->cmdDown.clicked.connect([m] { cmdDown_Click(*m); });
    m->cmdOK.clicked.connect([m] { cmdOK_Click(*m); });
    m->cmdCancel.clicked.connect([m] { cmdCancel_Click(*m); });
    loadForm(this, model_);
}

ZoneManagerWindow::~ZoneManagerWindow() {
    // The widgets go while the model they report to still lives.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete w;
}

}  // namespace orva
