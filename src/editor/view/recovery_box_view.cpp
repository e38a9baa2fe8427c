#include "editor/view/recovery_box_view.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/recovery_offer.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text.h"

RecoveryBoxView::RecoveryBoxView(RecoveryBox& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(RecoveryBox::Name);
    setWindowTitle(RecoveryBox::Caption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* intro = new QLabel(toQ(RecoveryBox::Intro), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* list = new QListWidget(this);
    list->setObjectName("Copies");
    list->setSelectionMode(QAbstractItemView::NoSelection);
    // A long path is shortened in its middle, where its folders are; the tip shows it whole.
    list->setTextElideMode(Qt::ElideMiddle);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const std::string& entry : state.entries) {
        auto* item = new QListWidgetItem(toQ(entry), list);
        item->setToolTip(item->text());
    }
    layout->addWidget(list, 1);

    auto* buttons = new QDialogButtonBox(this);
    const RecoveryBox::Choice choices[] = {RecoveryBox::Choice::Restore, RecoveryBox::Choice::Discard,
                                           RecoveryBox::Choice::Later};
    for (const RecoveryBox::Choice choice : choices) {
        auto* button = buttons->addButton(toQ(RecoveryBox::Buttons[static_cast<int>(choice)]),
                                          choice == RecoveryBox::Choice::Later ? QDialogButtonBox::RejectRole
                                                                               : QDialogButtonBox::AcceptRole);
        button->setDefault(choice == RecoveryBox::Choice::Restore);
        connect(button, &QPushButton::clicked, this, [this, choice] {
            m_state.choice = choice;
            accept();
        });
    }
    layout->addWidget(buttons);
    resize(560, 300);
}

void RecoveryBoxView::registerView()
{
    QtDialogs::registerView(RecoveryBox::Name, [](OwnDialog& dialog, QWidget* parent) {
        RecoveryBoxView view(static_cast<RecoveryBox&>(dialog), parent);
        // Escape and the close box keep the copies, as Later does.
        return view.exec() == QDialog::Accepted ? MsgAnswer::Ok : MsgAnswer::Cancel;
    });
}
