#include "components/view/t_hex_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QValidator>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "components/view/t_spin_button.h"

namespace {

// The field's length limit applies to what the user types or pastes, never to texts set by the
// program (QLineEdit's own limit would cut those).
class LengthLimit : public QValidator {
public:
    LengthLimit(const THexEdit* edit, QObject* parent) : QValidator(parent), m_edit(edit) {}
    State validate(QString& input, int&) const override
    {
        const int limit = m_edit->maxLength();
        return limit > 0 && input.size() > limit ? Invalid : Acceptable;
    }

private:
    const THexEdit* m_edit;
};

constexpr int SpinWidth = 15;
constexpr int SpinHeight = 17;
constexpr int SystemBorderHeight = 1;

// The character a key types, as the field's key test sees it; none for keys that only move,
// delete forward or make a shortcut.
std::optional<char32_t> typedCharacter(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier))
        return std::nullopt;
    const QList<uint> text = event->text().toUcs4();
    if (text.isEmpty() || text.first() == 127)
        return std::nullopt;
    return static_cast<char32_t>(text.first());
}

}  // namespace

THexEdit::THexEdit(QWidget* parent)
    : QLineEdit(parent), m_spin(new TSpinButton(this))
{
    m_spin->resize(SpinWidth, SpinHeight);
    m_spin->setFocusControl(this);
    m_spin->setCursor(Qt::ArrowCursor);
    connect(m_spin, &TSpinButton::upClick, this, [this] { upStep(); });
    connect(m_spin, &TSpinButton::downClick, this, [this] { downStep(); });
    connect(this, &QLineEdit::textChanged, this, &THexEdit::textEditedByUser);
    setValidator(new LengthLimit(this, this));
    updateMinimumHeight();
    updateEditable();
    showText();
    layoutSpin();
}

THexEdit::THexEdit(ControlSet& controls, Control& control, QWidget* parent)
    : THexEdit(parent)
{
    bind(controls, control);
}

THexEdit::~THexEdit()
{
    unbind();
}

void THexEdit::bind(ControlSet& controls, Control& control)
{
    if (control.kind() != ControlKind::Numeric)
        throw std::invalid_argument("not a numeric control: " + control.name());
    unbind();
    m_controls = &controls;
    m_control = &control;
    m_subscription = controls.subscribe([this](Control& changed, Property property) {
        if (&changed == m_control)
            controlChanged(property);
    });
    controlChanged(Property::Text);
    controlChanged(Property::Enabled);
    controlChanged(Property::Visible);
}

void THexEdit::unbind()
{
    if (!m_control)
        return;
    // The field keeps showing the last rules and text on its own.
    m_own = m_control->hex();
    m_controls->unsubscribe(m_subscription);
    m_controls = nullptr;
    m_control = nullptr;
}

void THexEdit::controlChanged(Property property)
{
    switch (property) {
    case Property::Text:
        showText();
        break;
    case Property::Enabled:
        setEnabled(m_control->enabled());
        break;
    case Property::Visible:
        // A field without a parent would turn into a window of its own.
        if (parentWidget() || !m_control->visible())
            setVisible(m_control->visible());
        break;
    default:
        break;
    }
    updateEditable();
}

const HexEditModel& THexEdit::model() const
{
    return m_control ? m_control->hex() : m_own;
}

HexEditModel& THexEdit::rules()
{
    return m_control ? m_control->hex() : m_own;
}

void THexEdit::beep()
{
    if (m_beep)
        m_beep();
    else
        QApplication::beep();
}

void THexEdit::commit(const std::string& text)
{
    if (m_control)
        m_control->setText(text);
    else
        m_own.setText(text);
    showText();
}

void THexEdit::showText()
{
    const QString shown = QString::fromStdString(model().text());
    if (text() == shown)
        return;
    m_showing = true;
    QLineEdit::setText(shown);
    m_showing = false;
}

void THexEdit::textEditedByUser(const QString& text)
{
    // Any change not made by showText() (typing, paste, a caller's setText) becomes the value.
    if (!m_showing)
        commit(text.toStdString());
}

std::int32_t THexEdit::value() const
{
    return model().value();
}

void THexEdit::setValue(long long v)
{
    HexEditModel work = model();
    work.setValue(v);
    commit(work.text());
}

QString THexEdit::hexValue() const
{
    return QString::fromStdString(model().hexValue());
}

void THexEdit::setHexValue(const QString& text)
{
    HexEditModel work = model();
    work.setHexValue(text.toStdString());
    commit(work.text());
}

void THexEdit::setHexadecimal(bool on)
{
    rules().setHexadecimal(on);
}

void THexEdit::setHexDigits(int digits)
{
    rules().setHexDigits(digits);
}

void THexEdit::setBounds(std::int32_t min, std::int32_t max)
{
    rules().setBounds(min, max);
}

void THexEdit::setIncrement(int step)
{
    rules().setIncrement(step);
}

void THexEdit::setEditorEnabled(bool on)
{
    rules().setEditorEnabled(on);
    updateEditable();
}

void THexEdit::setReadOnly(bool on)
{
    rules().setReadOnly(on);
    updateEditable();
}

void THexEdit::setMaxLength(int length)
{
    rules().setMaxLength(length);
}

void THexEdit::setAutoSelect(bool on)
{
    rules().setAutoSelect(on);
}

void THexEdit::updateEditable()
{
    // With the editor disabled nothing but the buttons may change the text: no typing, pasting,
    // cutting, deleting, undoing or dropping.
    QLineEdit::setReadOnly(!model().acceptsPasteOrCut());
}

bool THexEdit::isValidChar(char32_t c) const
{
    const QString separator = locale().decimalPoint();
    const char32_t sep = separator.isEmpty() ? U'.' : static_cast<char32_t>(separator.toUcs4().first());
    return model().acceptsKey(c, sep);
}

void THexEdit::upStep()
{
    HexEditModel work = model();
    work.setText(text().toStdString());
    if (!work.upStep()) {
        beep();
        return;
    }
    commit(work.text());
}

void THexEdit::downStep()
{
    HexEditModel work = model();
    work.setText(text().toStdString());
    if (!work.downStep()) {
        beep();
        return;
    }
    commit(work.text());
}

void THexEdit::keyPressEvent(QKeyEvent* event)
{
    updateEditable();
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (event->key() == Qt::Key_Up)
            upStep();
        else
            downStep();
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        if (model().acceptsPasteOrCut())
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    if (const auto c = typedCharacter(event); c && !isValidChar(*c)) {
        beep();
        // A refused Enter still reaches the dialog's default button.
        if (*c == 13)
            event->ignore();
        else
            event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void THexEdit::focusInEvent(QFocusEvent* event)
{
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (model().autoSelect()) {
        if (!(QApplication::mouseButtons() & Qt::LeftButton))
            selectAll();
    } else if (!hadSelection) {
        deselect();
    }
}

void THexEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu or another window taking over does not leave the field.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    leave();
}

void THexEdit::leave()
{
    HexEditModel work = model();
    work.setText(text().toStdString());
    work.leave();
    commit(work.text());
    if (m_control)
        m_control->exit();
}

void THexEdit::contextMenuEvent(QContextMenuEvent* event)
{
    updateEditable();
    QLineEdit::contextMenuEvent(event);
}

int THexEdit::minimumFieldHeight() const
{
    const int own = QFontMetrics(font()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    return own + std::min(system, own) / 4 + 4 * SystemBorderHeight + 2;
}

void THexEdit::updateMinimumHeight()
{
    setMinimumHeight(minimumFieldHeight());
}

void THexEdit::layoutSpin()
{
    const int pairWidth = m_spin->width();
    if (hasFrame()) {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        m_spin->setGeometry(width() - border - pairWidth - 1, border, pairWidth,
                            height() - 2 * border - 1);
    } else {
        m_spin->setGeometry(width() - pairWidth, 1, pairWidth, height() - 3);
    }
    // Typed text never runs under the buttons.
    setTextMargins(0, 0, pairWidth + 2, 0);
}

void THexEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    layoutSpin();
}

void THexEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        updateMinimumHeight();
    if (event->type() == QEvent::StyleChange)
        layoutSpin();
}
