#pragma once
// The names of a folder by their lower-case form. A folder may hold a great many files, and a
// copy into it looks its target up and enters it: the table is one array of slots beside the
// names, so that a look-up touches little memory and an entry costs no allocation of its own.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The names of one lower-case form in listing order; nearly always just one, kept without a
// list of its own.
struct Spellings {
    std::string first;  // empty once every spelling is gone
    std::vector<std::string> more;
    bool holds(std::string_view name) const;
    void remove(std::string_view name);
};

class NameTable {
public:
    // The spellings of the name's lower-case form, nullptr when it never was entered. Valid
    // until the next insert.
    const Spellings* find(std::string_view name) const;
    Spellings* find(std::string_view name);
    // Those spellings, made empty when new.
    Spellings& insert(std::string_view name);
    std::size_t size() const { return m_entries.size(); }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0;  // 1 + its index in m_entries; 0 for a free slot
    };
    struct Entry {
        std::string lower;
        Spellings spellings;
    };
    static std::uint32_t hashOf(std::string_view name);
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    void grow();

    std::vector<Slot> m_slots;  // a power of two in size, never more than half used
    std::vector<Entry> m_entries;
};
