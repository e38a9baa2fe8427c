#include "platform/paths/name_table.h"

#include <algorithm>
#include <utility>

namespace {

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameLower(std::string_view lower, std::string_view name)
{
    if (lower.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (lower[i] != lowered(name[i]))
            return false;
    return true;
}

}  // namespace

bool Spellings::holds(std::string_view name) const
{
    return first == name || std::find(more.begin(), more.end(), name) != more.end();
}

void Spellings::remove(std::string_view name)
{
    if (first == name) {
        if (more.empty()) {
            first.clear();
        } else {
            first = std::move(more.front());
            more.erase(more.begin());
        }
        return;
    }
    more.erase(std::remove(more.begin(), more.end(), name), more.end());
}

// FNV-1a over the lower-case bytes, so that no lower-case copy is made to look a name up.
std::uint32_t NameTable::hashOf(std::string_view name)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : name) {
        h ^= static_cast<unsigned char>(lowered(c));
        h *= 1099511628211ull;
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// The slot that holds the name, else the free slot where it would go.
std::size_t NameTable::slotOf(std::string_view name, std::uint32_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.entry == 0 || (slot.hash == hash && sameLower(m_entries[slot.entry - 1].lower, name)))
            return i;
    }
}

const Spellings* NameTable::find(std::string_view name) const
{
    if (m_slots.empty())
        return nullptr;
    const Slot& slot = m_slots[slotOf(name, hashOf(name))];
    return slot.entry == 0 ? nullptr : &m_entries[slot.entry - 1].spellings;
}

Spellings* NameTable::find(std::string_view name)
{
    return const_cast<Spellings*>(std::as_const(*this).find(name));
}

Spellings& NameTable::insert(std::string_view name)
{
    if (2 * (m_entries.size() + 1) > m_slots.size())
        grow();
    const std::uint32_t hash = hashOf(name);
    Slot& slot = m_slots[slotOf(name, hash)];
    if (slot.entry == 0) {
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(), lowered);
        m_entries.push_back({std::move(lower), {}});
        slot = {hash, static_cast<std::uint32_t>(m_entries.size())};
    }
    return m_entries[slot.entry - 1].spellings;
}

void NameTable::grow()
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
