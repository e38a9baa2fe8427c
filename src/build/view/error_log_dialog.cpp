#include "build/view/error_log_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/view/control_binder.h"
#include "build/terror_log.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text.h"

ErrorLogDialog::ErrorLogDialog(TErrorLog& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(TErrorLog::Name);
    setWindowTitle(TErrorLog::Caption);
    setModal(true);
    ControlSet& c = state.controls();
    auto* binder = new ControlBinder(c, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_list = static_cast<QListWidget*>(binder->createWidget(c["ErrorList"], this));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Only a line the user picks counts; without one "GoTo Error" goes where the last pick said.
    auto picked = [this, &c] {
        const QList<QListWidgetItem*> items = m_list->selectedItems();
        if (items.isEmpty())
            return;
        c["ErrorList"].setSelected(m_list->row(items.front()));
        c["ErrorList"].activate();
    };
    connect(m_list, &QListWidget::itemSelectionChanged, this, picked);
    connect(m_list, &QListWidget::itemClicked, this, picked);
    // A double click is a click and "GoTo Error"; Enter reaches the default button.
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { pressed("GoToError"); });
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 6, 8, 6);
    buttons->addStretch(1);
    for (const char* name : {"GoToError", "CancelBtn"}) {
        auto* button = new QPushButton(toQ(c[name].caption()), this);
        button->setObjectName(name);
        button->setMinimumWidth(96);
        button->setAutoDefault(false);
        button->setDefault(std::string(name) == "GoToError");
        connect(button, &QPushButton::clicked, this, [this, name] { pressed(name); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 2; ++i) {
        const std::string name = "Panel" + std::to_string(i);
        auto* panel = static_cast<QLabel*>(binder->createWidget(c[name], bar));
        panel->setMinimumWidth(TErrorLog::PanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panel, 0);
    }
    layout->addWidget(bar);

    resize(TErrorLog::Width, TErrorLog::Height);
    // No line is current until the user picks one: the focus would otherwise make the first
    // line current, which the list shows as selected though "GoTo Error" knows nothing of it.
    // The first arrow key then picks the first line.
    m_list->setCurrentIndex(QModelIndex());
    m_list->setFocus();
}

void ErrorLogDialog::pressed(const char* button)
{
    m_state.controls()[button].activate();
    if (const auto result = m_state.modalResult())
        done(*result == MsgAnswer::Ok ? Accepted : Rejected);
}

void ErrorLogDialog::reject()
{
    // Escape and the window's close box answer as "Cancel" does.
    pressed("CancelBtn");
}

MsgAnswer ErrorLogDialog::run(TErrorLog& state, QWidget* parent)
{
    ErrorLogDialog dialog(state, parent);
    dialog.exec();
    return state.modalResult().value_or(MsgAnswer::Cancel);
}

void ErrorLogDialog::registerView()
{
    QtDialogs::registerView(TErrorLog::Name, [](OwnDialog& dialog, QWidget* parent) {
        return run(static_cast<TErrorLog&>(dialog), parent);
    });
}
