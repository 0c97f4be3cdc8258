#include "ExchangeDialog.h"

#include "ui/IpAddressCtrl.h"
#include "ui/UpDownCtrl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace uitest {

namespace {

template <class W>
W* make(QWidget* parent, int id)
{
    auto* w = new W(parent);
    w->setProperty("ctlId", id);
    parent->layout()->addWidget(w);
    return w;
}

}  // namespace

ExchangeDialog::ExchangeDialog()
{
    new QVBoxLayout(this);
    edit1 = make<QLineEdit>(this, Edit1);
    spin = make<ui::UpDownCtrl>(this, Spin);
    spin->setBuddyId(Edit1);
    // The second and third edits sit in a group box, as template controls often do.
    auto* group = new QGroupBox(this);
    layout()->addWidget(group);
    new QVBoxLayout(group);
    edit2 = make<QLineEdit>(group, Edit2);
    edit3 = make<QLineEdit>(group, Edit3);
    text = make<QPlainTextEdit>(this, Text);
    label = make<QLabel>(this, Label);
    list = make<QComboBox>(this, List);
    list->addItems({"Tear Off", "Peel Off", "Cutter"});
    editList = make<QComboBox>(this, EditList);
    editList->setEditable(true);
    editList->addItems({"2.0", "3.0"});
    check = make<QCheckBox>(this, Check);
    radios = new QButtonGroup(this);
    for (int id : {Radio0, Radio1, Radio2})
        radios->addButton(make<QRadioButton>(this, id));
    slider = make<QSlider>(this, Slider);
    slider->setRange(0, 20);
    address = make<ui::IpAddressCtrl>(this, Address);
    ok = make<QPushButton>(this, ui::IDOK);
    cancel = make<QPushButton>(this, ui::IDCANCEL);
}

}  // namespace uitest
