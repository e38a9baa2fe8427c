#pragma once
// Values by a name without regard to case. A folder or a project may hold a great many names,
// each looked up and entered in turn: the table is one array of slots beside the entries, so
// that a look-up touches little memory and makes no lower-case copy of the name.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nametable {

std::uint32_t hashOf(std::string_view name);  // of the lower-case form
bool sameLower(std::string_view lower, std::string_view name);
std::string lower(std::string_view name);

}  // namespace nametable

template <class Value>
class NameTable {
public:
    // The value of the name's lower-case form, nullptr when it never was entered. Valid until
    // the next insert.
    const Value* find(std::string_view name) const
    {
        if (m_slots.empty())
            return nullptr;
        const Slot& slot = m_slots[slotOf(name, nametable::hashOf(name))];
        return slot.entry == 0 ? nullptr : &m_entries[slot.entry - 1].value;
    }
    Value* find(std::string_view name)
    {
        return const_cast<Value*>(static_cast<const NameTable&>(*this).find(name));
    }
    // That value, made as Value() when new; `added` tells which.
    Value& insert(std::string_view name, bool* added = nullptr)
    {
        if (2 * (m_entries.size() + 1) > m_slots.size())
            grow();
        const std::uint32_t hash = nametable::hashOf(name);
        Slot& slot = m_slots[slotOf(name, hash)];
        if (added)
            *added = slot.entry == 0;
        if (slot.entry == 0) {
            m_entries.push_back({nametable::lower(name), Value()});
            slot = {hash, static_cast<std::uint32_t>(m_entries.size())};
        }
        return m_entries[slot.entry - 1].value;
    }
    std::size_t size() const { return m_entries.size(); }
    void reserve(std::size_t names)
    {
        m_entries.reserve(names);
        while (2 * names > m_slots.size())
            grow();
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0;  // 1 + its index in m_entries; 0 for a free slot
    };
    struct Entry {
        std::string lower;
        Value value;
    };

    // The slot that holds the name, else the free slot where it would go.
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.entry == 0 || (slot.hash == hash && nametable::sameLower(m_entries[slot.entry - 1].lower, name)))
                return i;
        }
    }
    void grow()
    {
        std::vector<Slot> old(std::max<std::size_t>(16, 2 * m_slots.size()));
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (slot.entry == 0)
                continue;
            std::size_t i = slot.hash & mask;
            while (m_slots[i].entry != 0)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;  // a power of two in size, never more than half used
    std::vector<Entry> m_entries;
};
