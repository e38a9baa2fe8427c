#pragma once
// A one-line field for an integer, shown in decimal or upper-case hexadecimal, with an up/down
// pair at its right edge. Either stands alone with its own rules or shows a numeric control of a
// ControlSet, in which case every user edit goes back through Control::setText.
#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <string>

#include "app/control_set.h"
#include "components/hex_edit_model.h"

class TSpinButton;

class THexEdit : public QLineEdit {
    Q_OBJECT
public:
    using BeepFunction = std::function<void()>;

    explicit THexEdit(QWidget* parent = nullptr);
    // The set must outlive the field (or unbind() first). Throws for a control that is not Numeric.
    THexEdit(ControlSet& controls, Control& control, QWidget* parent = nullptr);
    ~THexEdit() override;

    void bind(ControlSet& controls, Control& control);
    void unbind();
    Control* boundControl() const { return m_control; }

    // The rules in force: the bound control's, else the field's own.
    const HexEditModel& model() const;

    std::int32_t value() const;
    void setValue(long long v);
    QString hexValue() const;
    void setHexValue(const QString& text);

    bool hexadecimal() const { return model().hexadecimal(); }
    void setHexadecimal(bool on);
    int hexDigits() const { return model().hexDigits(); }
    void setHexDigits(int digits);
    std::int32_t minValue() const { return model().minValue(); }
    std::int32_t maxValue() const { return model().maxValue(); }
    void setBounds(std::int32_t min, std::int32_t max);
    int increment() const { return model().increment(); }
    void setIncrement(int step);
    bool editorEnabled() const { return model().editorEnabled(); }
    void setEditorEnabled(bool on);
    // These shadow QLineEdit's: the line edit is kept read-only also while the editor is disabled,
    // and its own length limit would cut texts set by the program.
    bool isReadOnly() const { return model().readOnly(); }
    void setReadOnly(bool on);
    int maxLength() const { return model().maxLength(); }
    void setMaxLength(int length);
    bool autoSelect() const { return model().autoSelect(); }
    void setAutoSelect(bool on);

    // Replaces the system beep, e.g. to count refusals.
    void setBeeper(BeepFunction beep) { m_beep = std::move(beep); }

    TSpinButton* spinButton() const { return m_spin; }
    int minimumFieldHeight() const;

    // Whether a typed character may reach the text.
    virtual bool isValidChar(char32_t c) const;
    virtual void upStep();
    virtual void downStep();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    HexEditModel& rules();
    void beep();
    void commit(const std::string& text);
    void showText();
    void updateEditable();
    void updateMinimumHeight();
    void layoutSpin();
    void textEditedByUser(const QString& text);
    void leave();
    void controlChanged(Property property);

    HexEditModel m_own;
    ControlSet* m_controls = nullptr;
    Control* m_control = nullptr;
    int m_subscription = 0;
    TSpinButton* m_spin = nullptr;
    BeepFunction m_beep;
    bool m_showing = false;
};
