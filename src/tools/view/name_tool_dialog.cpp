#include "tools/view/name_tool_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/view/control_binder.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text.h"
#include "tools/tnt_dlg.h"

NameToolDialog::NameToolDialog(TNTDlg& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(TNTDlg::Name);
    setWindowTitle(TNTDlg::Caption);
    setModal(true);
    ControlSet& c = state.controls();
    auto* binder = new ControlBinder(c, this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 12);
    outer->setSpacing(12);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    for (const char* name : {"Path", "PName", "Params"}) {
        QWidget* edit = binder->createWidget(c[name], this);
        edit->setMinimumWidth(440);
        form->addRow(toQ(c[name].label), edit);
    }
    outer->addLayout(form);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"exitBtn", "Button2", "Button3"}) {
        auto* button = new QPushButton(toQ(c[name].caption()), this);
        button->setObjectName(name);
        button->setMinimumWidth(88);
        button->setAutoDefault(false);
        button->setDefault(c[name].isDefault);
        connect(button, &QPushButton::clicked, this, [this, name] { pressed(name); });
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
    setSizeGripEnabled(true);
}

void NameToolDialog::pressed(const char* button)
{
    m_state.controls()[button].activate();
    if (const auto result = m_state.modalResult())
        done(*result == MsgAnswer::Ok ? Accepted : Rejected);
}

void NameToolDialog::reject()
{
    // Escape and the window's close box answer as "Cancel" does.
    pressed("Button2");
}

MsgAnswer NameToolDialog::run(TNTDlg& state, QWidget* parent)
{
    NameToolDialog dialog(state, parent);
    dialog.exec();
    return state.modalResult().value_or(MsgAnswer::Cancel);
}

void NameToolDialog::registerView()
{
    QtDialogs::registerView(TNTDlg::Name, [](OwnDialog& dialog, QWidget* parent) {
        return run(static_cast<TNTDlg&>(dialog), parent);
    });
}
