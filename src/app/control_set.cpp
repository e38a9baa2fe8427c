#include "app/control_set.h"

#include <stdexcept>

#include "platform/paths/win_path.h"

Control::Control(ControlSet& owner, std::string name, ControlKind kind)
    : m_owner(owner), m_name(std::move(name)), m_kind(kind)
{
    if (kind == ControlKind::Numeric)
        m_hex = std::make_unique<HexEditModel>();
}

void Control::notify(Property p)
{
    m_owner.changed(*this, p);
}

void Control::setChecked(bool on)
{
    if (m_checked == on)
        return;
    m_checked = on;
    notify(Property::Checked);
    for (const auto& fn : m_checkedHandlers)
        fn();
}

void Control::setEnabled(bool on)
{
    if (m_enabled == on)
        return;
    m_enabled = on;
    notify(Property::Enabled);
}

void Control::setVisible(bool on)
{
    if (m_visible == on)
        return;
    m_visible = on;
    notify(Property::Visible);
}

void Control::setCaption(const std::string& caption)
{
    setCaption(caption, {});
}

void Control::setCaption(const std::string& before, const std::string& data, const std::string& after)
{
    const std::string caption = before + data + after;
    const std::size_t begin = before.size();
    const std::size_t end = begin + data.size();
    if (m_caption == caption && m_dataBegin == begin && m_dataEnd == end)
        return;
    m_caption = caption;
    m_dataBegin = begin;
    m_dataEnd = end;
    notify(Property::Caption);
}

std::string Control::markupCaption() const
{
    std::string out;
    out.reserve(m_caption.size());
    for (std::size_t i = 0; i < m_caption.size(); ++i) {
        out += m_caption[i];
        if (m_caption[i] == '&' && i >= m_dataBegin && i < m_dataEnd)
            out += '&';
    }
    return out;
}

std::string Control::text() const
{
    if (m_hex)
        return m_hex->text();
    if (m_kind == ControlKind::ComboBox && !editable)
        return itemText();
    return m_text;
}

void Control::setText(const std::string& text)
{
    if (m_hex) {
        if (m_hex->text() == text)
            return;
        m_hex->setText(text);
    } else {
        if (m_text == text)
            return;
        m_text = text;
    }
    notify(Property::Text);
}

void Control::setItemIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        index = -1;
    if (m_itemIndex == index)
        return;
    m_itemIndex = index;
    notify(Property::ItemIndex);
    for (const auto& fn : m_indexHandlers)
        fn();
}

void Control::setItems(std::vector<std::string> items)
{
    m_items = std::move(items);
    if (m_itemIndex >= static_cast<int>(m_items.size()))
        m_itemIndex = -1;
    notify(Property::Items);
}

std::string Control::itemText() const
{
    if (m_itemIndex < 0 || m_itemIndex >= static_cast<int>(m_items.size()))
        return {};
    return m_items[static_cast<std::size_t>(m_itemIndex)];
}

int Control::value() const
{
    if (m_hex)
        return m_hex->value();
    return m_value;
}

void Control::setValue(long long v)
{
    if (m_hex) {
        const std::string before = m_hex->text();
        m_hex->setValue(v);
        if (m_hex->text() != before)
            notify(Property::Text);
        return;
    }
    if (m_kind == ControlKind::UpDown && minValue != maxValue) {
        if (v < minValue)
            v = minValue;
        if (v > maxValue)
            v = maxValue;
    }
    if (m_value == static_cast<int>(v))
        return;
    m_value = static_cast<int>(v);
    notify(Property::Text);
}

void Control::setEntries(std::vector<std::string> entries)
{
    m_entries = std::move(entries);
    m_selected = -1;
    notify(Property::Entries);
}

void Control::addEntry(const std::string& entry)
{
    m_entries.push_back(entry);
    notify(Property::Entries);
}

void Control::removeEntry(int index)
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    m_entries.erase(m_entries.begin() + index);
    m_selected = -1;
    notify(Property::Entries);
}

void Control::setSelected(int index)
{
    if (index < -1 || index >= static_cast<int>(m_entries.size()))
        index = -1;
    if (m_selected == index)
        return;
    m_selected = index;
    notify(Property::Selected);
}

bool Control::tabVisible(const std::string& tab) const
{
    auto it = m_hiddenTabs.find(tab);
    return it == m_hiddenTabs.end() || it->second;
}

void Control::setTabVisible(const std::string& tab, bool on)
{
    if (tabVisible(tab) == on)
        return;
    m_hiddenTabs[tab] = on;
    notify(Property::TabVisible);
}

void Control::showTab(const std::string& tab)
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i] == tab)
            setItemIndex(static_cast<int>(i));
}

void Control::activate(const Sender& sender) const
{
    if (m_action)
        m_action(sender);
}

Sender Control::asSender() const
{
    Sender s;
    s.tag = tag;
    s.helpContext = helpContext;
    // A menu-bar entry that is itself a command ("&Edit Batch") is a menu item to its handler.
    s.kind = m_kind == ControlKind::MenuItem || m_kind == ControlKind::Menu ? SenderKind::MenuItem
             : m_kind == ControlKind::ToolButton ? SenderKind::ToolButton
             : m_kind == ControlKind::Button     ? SenderKind::Button
                                                 : SenderKind::Program;
    return s;
}

void Control::activate() const
{
    activate(asSender());
}

void Control::exit() const
{
    if (m_exitHandler)
        m_exitHandler();
}

Control& ControlSet::add(const std::string& name, ControlKind kind)
{
    if (m_byName.count(name))
        throw std::logic_error("control declared twice: " + name);
    m_controls.push_back(std::make_unique<Control>(*this, name, kind));
    Control* c = m_controls.back().get();
    m_order.push_back(c);
    m_byName[name] = c;
    return *c;
}

Control& ControlSet::add(const ControlSpec& row)
{
    Control& c = add(row.name, row.kind);
    c.page = row.page;
    c.tab = row.tab;
    c.label = row.label;
    c.helpContext = row.helpContext;
    c.layout = row.layout;
    c.setCaption(row.caption);
    c.setItems(row.items);
    switch (row.kind) {
    case ControlKind::CheckBox:
        c.setChecked(row.initial == "1");
        break;
    case ControlKind::ComboBox:
    case ControlKind::PageSet: {
        long long idx = -1;
        if (winpath::parseInt(row.initial, idx))
            c.setItemIndex(static_cast<int>(idx));
        break;
    }
    case ControlKind::UpDown: {
        long long v = 0;
        if (winpath::parseInt(row.initial, v))
            c.setValue(v);
        break;
    }
    default:
        if (!row.initial.empty())
            c.setText(row.initial);
        break;
    }
    return c;
}

void ControlSet::addAll(const std::vector<ControlSpec>& rows)
{
    for (const auto& row : rows)
        add(row);
}

Control& ControlSet::operator[](const std::string& name)
{
    auto it = m_byName.find(name);
    if (it == m_byName.end())
        throw std::out_of_range("unknown control: " + name);
    return *it->second;
}

const Control& ControlSet::operator[](const std::string& name) const
{
    auto it = m_byName.find(name);
    if (it == m_byName.end())
        throw std::out_of_range("unknown control: " + name);
    return *it->second;
}

Control* ControlSet::find(const std::string& name)
{
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

std::vector<Control*> ControlSet::onPage(const std::string& page, const std::string& tab) const
{
    std::vector<Control*> out;
    for (Control* c : m_order)
        if (c->page == page && c->tab == tab)
            out.push_back(c);
    return out;
}

int ControlSet::subscribe(Observer observer)
{
    const int id = m_nextObserver++;
    m_observers[id] = std::move(observer);
    return id;
}

void ControlSet::unsubscribe(int id)
{
    m_observers.erase(id);
}

void ControlSet::changed(Control& control, Property p)
{
    // Observers may unsubscribe while being told; walk a copy of the ids.
    std::vector<int> ids;
    for (const auto& [id, fn] : m_observers)
        ids.push_back(id);
    for (int id : ids) {
        auto it = m_observers.find(id);
        if (it != m_observers.end())
            it->second(control, p);
    }
}
