#include "app/view/control_binder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "components/view/t_hex_edit.h"
#include "components/view/t_spin_button.h"
#include "platform/qt/qt_text.h"

namespace {

// A list row shows at most this much of its entry: laying out a text costs time in its
// length, and no file name is longer.
constexpr std::size_t ShownEntryLength = 4096;

QString shownEntry(const std::string& entry)
{
    if (entry.size() <= ShownEntryLength)
        return toQ(entry);
    return toQ(entry.substr(0, ShownEntryLength)) + QChar(0x2026);
}

}  // namespace

ControlBinder::ControlBinder(ControlSet& controls, QObject* parent) : QObject(parent), m_controls(controls)
{
    m_subscription = m_controls.subscribe([this](Control& c, Property) { changed(c); });
}

ControlBinder::~ControlBinder()
{
    m_controls.unsubscribe(m_subscription);
}

void ControlBinder::changed(Control& control)
{
    auto it = m_updaters.find(&control);
    if (it == m_updaters.end())
        return;
    const auto& updaters = it->second;
    for (std::size_t i = 0; i < updaters.size(); ++i)
        updaters[i]();
}

void ControlBinder::showItems(QComboBox& combo, const Control& control)
{
    QStringList items;
    for (const auto& item : control.items())
        items << toQ(item);
    QStringList shown;
    for (int i = 0; i < combo.count(); ++i)
        shown << combo.itemText(i);
    if (items != shown) {
        combo.clear();
        combo.addItems(items);
    }
}

void ControlBinder::watch(Control& control, std::function<void()> fn)
{
    fn();
    m_updaters[&control].push_back(std::move(fn));
}

void ControlBinder::followVisibility(Control& control, QWidget* widget)
{
    QPointer<QWidget> w(widget);
    watch(control, [w, &control] {
        if (w) {
            w->setVisible(control.visible());
            w->setEnabled(control.enabled());
        }
    });
}

void ControlBinder::bindAction(QAction& action, Control& control)
{
    QPointer<QAction> a(&action);
    watch(control, [a, &control] {
        if (!a)
            return;
        a->setText(toQ(control.markupCaption()));
        a->setEnabled(control.enabled());
        a->setVisible(control.visible());
        a->setCheckable(control.checked() || a->isCheckable());
        a->setChecked(control.checked());
    });
    connect(&action, &QAction::triggered, this, [&control] { control.activate(); });
}

void ControlBinder::push(Control& control, const std::function<void()>& write)
{
    const Control* outer = m_pushing;
    m_pushing = &control;
    write();
    m_pushing = outer;
    // The core may have made the value something else than what was typed.
    changed(control);
}

QWidget* ControlBinder::createWidget(Control& c, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (c.kind()) {
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(toQ(c.markupCaption()), parent);
        QPointer<QCheckBox> p(box);
        watch(c, [p, &c] {
            if (!p)
                return;
            p->setText(toQ(c.markupCaption()));
            p->setChecked(c.checked());
        });
        connect(box, &QCheckBox::clicked, this, [this, &c](bool on) {
            push(c, [&] { c.setChecked(on); });
            c.activate();
        });
        widget = box;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        QPointer<QLineEdit> p(edit);
        watch(c, [this, p, &c] {
            if (p && m_pushing != &c && fromQ(p->text()) != c.text())
                p->setText(toQ(c.text()));
        });
        connect(edit, &QLineEdit::textEdited, this,
                [this, &c](const QString& t) { push(c, [&] { c.setText(fromQ(t)); }); });
        connect(edit, &QLineEdit::editingFinished, this, [&c] { c.exit(); });
        widget = edit;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        QPointer<QComboBox> p(combo);
        watch(c, [p, &c] {
            if (!p)
                return;
            const QSignalBlocker block(p);
            showItems(*p, c);
            p->setCurrentIndex(c.itemIndex());
        });
        connect(combo, qOverload<int>(&QComboBox::activated), this,
                [this, &c](int index) { push(c, [&] { c.setItemIndex(index); }); });
        widget = combo;
        break;
    }
    case ControlKind::Numeric:
        widget = new THexEdit(m_controls, c, parent);
        break;
    case ControlKind::UpDown: {
        // The arrows alone: the number shows in the edit field the control is bound to.
        auto* spin = new TSpinButton(parent);
        spin->setFixedSize(20, 25);
        connect(spin, &TSpinButton::upClick, this, [&c] { c.setValue(c.value() + 1); });
        connect(spin, &TSpinButton::downClick, this, [&c] { c.setValue(c.value() - 1); });
        widget = spin;
        break;
    }
    case ControlKind::List: {
        auto* list = new QListWidget(parent);
        // Rows are measured a batch at a time between events, so a long list never holds up
        // the program, nor a request to end it.
        list->setLayoutMode(QListView::Batched);
        QPointer<QListWidget> p(list);
        watch(c, [p, &c] {
            if (!p)
                return;
            const QSignalBlocker block(p);
            QStringList rows;
            for (const auto& e : c.entries())
                rows << shownEntry(e);
            QStringList now;
            for (int i = 0; i < p->count(); ++i)
                now << p->item(i)->text();
            if (rows != now) {
                p->clear();
                p->addItems(rows);
            }
            p->setCurrentRow(c.selected());
        });
        connect(list, &QListWidget::currentRowChanged, this, [&c](int row) { c.setSelected(row); });
        widget = list;
        break;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        if (c.textIsRed)
            label->setStyleSheet("color: red;");
        QPointer<QLabel> p(label);
        watch(c, [p, &c] {
            if (p)
                p->setText(toQ(c.caption().empty() ? c.text() : c.caption()));
        });
        widget = label;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(parent);
        QPointer<QPushButton> p(button);
        watch(c, [p, &c] {
            if (p)
                p->setText(toQ(c.markupCaption()));
        });
        connect(button, &QPushButton::clicked, this, [&c] { c.activate(); });
        widget = button;
        break;
    }
    default: {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::StyledPanel);
        widget = frame;
        break;
    }
    }
    widget->setObjectName(toQ(c.name()));
    followVisibility(c, widget);
    return widget;
}
