#pragma once
// One page of a page set: its controls in headed groups, in one or two columns, each field
// beside the box that enables it, as the controls' layout data say.
#include <QWidget>
#include <vector>

class Control;
class ControlBinder;
class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;

class PageForm : public QWidget
{
public:
    // Page buttons are not part of the form; the caller places them.
    PageForm(const std::vector<Control*>& controls, ControlBinder& binder, int maxWidth, QWidget* parent);

    // The controls' widgets in declaration order, which is also the keyboard order.
    const std::vector<QWidget*>& fields() const { return m_fields; }
    // The first widget that takes the keyboard focus, or none.
    QWidget* firstFocusable() const;

    // Pixel width of a field that shows the given number of characters.
    static int fieldWidth(const QWidget* field, int chars);
    static constexpr int IndentStep = 22; // a check box's indicator and the gap after it

private:
    struct Section {
        QWidget* frame = nullptr;
        QGridLayout* grid = nullptr;
        int row = 0;
        QHBoxLayout* fieldCell = nullptr; // where fields beside the row's lead go
        bool cellStretches = false;
        QVBoxLayout* listButtons = nullptr; // buttons beside a list
    };

    Section& sectionFor(const Control& c);
    void place(Section& s, Control& c, QWidget* w, bool nextBeside, ControlBinder& binder);
    void addBeside(Section& s, Control& c, QWidget* w);
    void addField(Section& s, Control& c, QWidget* w);
    void endRow(Section& s);
    QHBoxLayout* newFieldCell(Section& s, int column, int span, int indent);

    QVBoxLayout* m_bands;
    QVBoxLayout* m_columns[2] = {}; // the columns of the band being filled, if any
    std::vector<std::pair<std::pair<std::string, int>, Section>> m_sections;
    std::vector<QWidget*> m_fields;
};
