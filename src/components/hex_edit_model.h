#pragma once
// The rules of the numeric/hexadecimal edit field, without any widget: the text is the only
// state and the value is always derived from it.
#include <cstdint>
#include <optional>
#include <string>

class HexEditModel {
public:
    std::int32_t value() const;
    void setValue(std::int64_t v);
    std::string hexValue() const;
    void setHexValue(const std::string& text);

    const std::string& text() const { return m_text; }
    void setText(const std::string& text) { m_text = text; }

    bool hexadecimal() const { return m_hexadecimal; }
    void setHexadecimal(bool on) { m_hexadecimal = on; }
    int hexDigits() const { return m_hexDigits; }
    // More than eight digits could never be read back, fewer than none make no sense.
    void setHexDigits(int digits) { m_hexDigits = digits < 0 ? 0 : digits > 8 ? 8 : digits; }
    std::int32_t minValue() const { return m_min; }
    std::int32_t maxValue() const { return m_max; }
    void setBounds(std::int32_t min, std::int32_t max) { m_min = min; m_max = max; }
    int increment() const { return m_increment; }
    void setIncrement(int step) { m_increment = step; }
    bool editorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool on) { m_editorEnabled = on; }
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    std::optional<std::int32_t> parse(const std::string& text) const;
    std::int64_t bound(std::int64_t v) const;
    std::string format(std::int32_t v) const;

    // Whether a typed character reaches the field; a refused one is answered with a beep.
    bool acceptsKey(char32_t c, char32_t decimalSeparator = '.') const;
    bool acceptsPasteOrCut() const { return m_editorEnabled && !m_readOnly; }

    // False when the step was refused (read-only) and the caller must beep.
    bool upStep();
    bool downStep();
    // Focus left the field: an out-of-bound text is bounded and reformatted, any other kept.
    void leave();

private:
    bool step(std::int64_t delta);

    std::string m_text = "0000";
    bool m_hexadecimal = true;
    int m_hexDigits = 4;
    std::int32_t m_min = 0;
    std::int32_t m_max = 0;
    int m_increment = 1;
    bool m_editorEnabled = true;
    bool m_readOnly = false;
    int m_maxLength = 0;
    bool m_autoSelect = true;
};
