#pragma once
// The option controls, menu commands, tool buttons and pages of the main window as plain
// state. The controls are the only copy of the option values; views mirror them.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "components/hex_edit_model.h"

enum class ControlKind {
    CheckBox,
    Edit,
    ComboBox,
    Numeric,   // hexadecimal/decimal field with spin buttons
    UpDown,    // up/down control bound to an edit field
    List,      // list box of entries
    Label,
    Button,
    PageSet,   // tabbed page set; items are the tab captions, itemIndex the front tab
    Panel,     // a frame shown on demand
    Menu,
    MenuItem,
    ToolButton,
    Separator,
};

enum class Property { Checked, Enabled, Visible, Text, ItemIndex, Items, Caption, Entries, TabVisible, Selected };

class ControlSet;

// Where a control stands on its page; pages are laid out from this alone. Within a group the
// controls keep their declaration order; groups stand in the order their first control is declared.
struct ControlLayout {
    enum Column { Left, Right, Wide };  // Wide: across both columns
    enum Role { Option, PageButton, CancelButton };
    static constexpr int ReadableWidth = 900;

    std::string group = {}; // heading of the group the control belongs to; "" for none
    Column column = Left;
    int indent = 0;         // steps in under the box that enables or refines the control
    int chars = 0;          // width of a field in characters; 0: as wide as its group allows
    bool beside = false;    // on the row of the control declared before it
    Role role = Option;     // page buttons stand along the bottom; Escape presses the cancel button
    int maxWidth = 0;       // page sets: the widest a page's content may grow, in pixels
};

// How a handler was invoked, for handlers that tell their senders apart.
enum class SenderKind { MenuItem, ToolButton, Button, Program };
struct Sender {
    SenderKind kind = SenderKind::Program;
    int tag = 0;
    int helpContext = 0;
};

class Control {
public:
    Control(ControlSet& owner, std::string name, ControlKind kind);

    const std::string& name() const { return m_name; }
    ControlKind kind() const { return m_kind; }

    // Layout data, set once from the declaring table.
    std::string page;     // owning page set or panel, "" for none
    std::string tab;      // tab caption within the page set
    std::string parent;   // owning menu of a menu item
    std::string hint;
    std::string label;    // caption of a label beside an edit or drop-down
    int tag = 0;
    int group = 0;        // menu group for merging
    int helpContext = 0;  // help topic of a help button or item
    bool isDefault = false;
    bool textIsRed = false;
    // A drop-down with an edit part: its text is its own, not the chosen item's.
    bool editable = false;
    std::string shortcut; // key of a menu item, in portable form ("Ctrl+F7")
    ControlLayout layout;

    bool checked() const { return m_checked; }
    void setChecked(bool on);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool visible() const { return m_visible; }
    void setVisible(bool on);
    const std::string& caption() const { return m_caption; }
    // A caption of the program's own: an "&" marks the accelerator key.
    void setCaption(const std::string& caption);
    // A caption holding a text that comes from data (a folder, a tool or file name) between
    // fixed parts: an "&" of the data is a character like any other.
    void setCaption(const std::string& before, const std::string& data, const std::string& after = {});
    // The caption in menu markup, where "&&" stands for one "&": the fixed parts' markers stay
    // accelerators, every "&" of data is doubled.
    std::string markupCaption() const;

    // Edit text; for a numeric field the field's text.
    std::string text() const;
    void setText(const std::string& text);

    // Drop-down lists and page sets. Setting an index outside the items leaves none chosen (-1).
    int itemIndex() const { return m_itemIndex; }
    void setItemIndex(int index);
    const std::vector<std::string>& items() const { return m_items; }
    void setItems(std::vector<std::string> items);
    std::string itemText() const;

    // Numeric fields and up/down controls.
    int value() const;
    void setValue(long long v);
    HexEditModel& hex() { return *m_hex; }
    const HexEditModel& hex() const { return *m_hex; }
    int minValue = 0;   // up/down range
    int maxValue = 0;

    // List boxes.
    const std::vector<std::string>& entries() const { return m_entries; }
    void setEntries(std::vector<std::string> entries);
    void addEntry(const std::string& entry);
    void removeEntry(int index);
    int selected() const { return m_selected; }
    void setSelected(int index);

    // Page sets: per-tab visibility (all shown at first).
    bool tabVisible(const std::string& tab) const;
    void setTabVisible(const std::string& tab, bool on);
    void showTab(const std::string& tab);

    // Runs on a change of the checked state, whoever changes it.
    void onCheckedChange(std::function<void()> fn) { m_checkedHandlers.push_back(std::move(fn)); }
    // Runs on a change of the chosen item (user or program).
    void onIndexChange(std::function<void()> fn) { m_indexHandlers.push_back(std::move(fn)); }
    // The command or button action; views call activate() on a click.
    void onActivate(std::function<void(const Sender&)> fn) { m_action = std::move(fn); }
    void activate(const Sender& sender) const;
    void activate() const;
    // This control as the sender of its own action.
    Sender asSender() const;
    bool hasAction() const { return static_cast<bool>(m_action); }
    // Focus left the field.
    void onExit(std::function<void()> fn) { m_exitHandler = std::move(fn); }
    void exit() const;

private:
    void notify(Property p);

    ControlSet& m_owner;
    std::string m_name;
    ControlKind m_kind;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_visible = true;
    std::string m_caption;
    std::size_t m_dataBegin = 0;  // the data part of the caption, empty when none
    std::size_t m_dataEnd = 0;
    std::string m_text;
    int m_itemIndex = -1;
    std::vector<std::string> m_items;
    int m_value = 0;
    std::unique_ptr<HexEditModel> m_hex;
    std::vector<std::string> m_entries;
    int m_selected = -1;
    std::map<std::string, bool> m_hiddenTabs;
    std::vector<std::function<void()>> m_checkedHandlers;
    std::vector<std::function<void()>> m_indexHandlers;
    std::function<void(const Sender&)> m_action;
    std::function<void()> m_exitHandler;
};

// One row of a declaring table.
struct ControlSpec {
    std::string name;
    ControlKind kind;
    std::string page;
    std::string tab;
    std::string caption;
    std::vector<std::string> items;
    std::string initial;   // "1" checked, text, item index or value, by kind
    std::string label;
    ControlLayout layout = {};
    int helpContext = 0;
};

class ControlSet {
public:
    using Observer = std::function<void(Control&, Property)>;

    Control& add(const std::string& name, ControlKind kind);
    Control& add(const ControlSpec& row);
    void addAll(const std::vector<ControlSpec>& rows);

    // Unknown names are a programming error and throw.
    Control& operator[](const std::string& name);
    const Control& operator[](const std::string& name) const;
    Control* find(const std::string& name);
    bool contains(const std::string& name) const { return m_byName.count(name) != 0; }

    // Controls in declaration order.
    const std::vector<Control*>& all() const { return m_order; }
    std::vector<Control*> onPage(const std::string& page, const std::string& tab) const;

    int subscribe(Observer observer);
    void unsubscribe(int id);
    void changed(Control& control, Property p);

private:
    std::vector<std::unique_ptr<Control>> m_controls;
    std::vector<Control*> m_order;
    std::map<std::string, Control*> m_byName;
    std::map<int, Observer> m_observers;
    int m_nextObserver = 1;
};
