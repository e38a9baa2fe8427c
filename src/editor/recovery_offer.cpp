#include "editor/recovery_offer.h"

#include "app/control_set.h"
#include "editor/editor_windows.h"
#include "editor/recovery_store.h"
#include "editor/tcode_ed.h"
#include "editor/text_buffer.h"

RecoveryBox::RecoveryBox(const std::vector<RecoveryCopy>& copies)
{
    for (const RecoveryCopy& copy : copies) {
        const std::string name = copy.original.empty() ? std::string(TCodeEd::DefaultCaption) + " (new file)" : copy.original;
        const int lines = countLines(copy.text);
        entries.push_back(name + " - " + std::to_string(lines) + (lines == 1 ? " line" : " lines"));
    }
}

RecoveryOffer::RecoveryOffer(RecoveryStore& store, Dialogs& dialogs, EditorWindows& editors, ControlSet& controls)
    : m_store(store), m_dialogs(dialogs), m_editors(editors), m_controls(controls)
{
}

void RecoveryOffer::run(const std::function<bool()>& closing)
{
    const std::vector<RecoveryCopy> copies = m_store.leftCopies();
    if (copies.empty())
        return;
    RecoveryBox box(copies);
    const bool answered = m_dialogs.runDialog(box) == MsgAnswer::Ok;
    const RecoveryBox::Choice choice = answered ? box.choice : RecoveryBox::Choice::Later;
    if (!closing()) {
        for (const RecoveryCopy& copy : copies) {
            if (choice == RecoveryBox::Choice::Later)
                break;
            // The restored window's own copy is asked for before the old one goes.
            if (choice == RecoveryBox::Choice::Restore)
                windowFor(copy.original).restore(copy.original, copy.text);
            m_store.discard(copy);
        }
        if (choice == RecoveryBox::Choice::Restore) {
            m_editors.cascade();
            m_controls["Window1"].setVisible(true);
        }
    }
    m_store.letGo();
}

TCodeEd& RecoveryOffer::windowFor(const std::string& file)
{
    // The file reopened at start-up, unchanged, takes its text rather than a second window.
    TCodeEd* open = file.empty() ? nullptr : m_editors.findByFile(file);
    return open && !open->buffer().modified() ? *open : m_editors.create();
}
