#pragma once
// At start-up, the text that a Tarnel which ended without saving it left behind: a box lists the
// copies and the user restores them into editor windows, discards them, or keeps them for later.
#include <functional>
#include <string>
#include <vector>

#include "editor/recovery_copy.h"
#include "platform/host/dialogs.h"

class ControlSet;
class EditorWindows;
class RecoveryStore;
class TCodeEd;

class RecoveryBox : public OwnDialog {
public:
    static constexpr const char* Name = "RecoveryBox";
    static constexpr const char* Caption = "Recover Unsaved Text";
    static constexpr const char* Intro =
        "Tarnel ended without saving the text of these editor windows. Restore opens each one in an "
        "editor window, not yet saved; Discard deletes the copies; Later keeps them for the next start.";
    enum class Choice { Restore, Discard, Later };
    // Button captions, in the order of Choice.
    static constexpr const char* Buttons[] = {"&Restore", "&Discard", "&Later"};

    explicit RecoveryBox(const std::vector<RecoveryCopy>& copies);
    std::string dialogName() const override { return Name; }

    // One line per copy: its file (or a new window's caption) and its size.
    std::vector<std::string> entries;
    // The view sets it before it answers Ok; any other end of the box is Later.
    Choice choice = Choice::Later;
};

class RecoveryOffer {
public:
    // The main window's controls show the Window menu once a window is restored.
    RecoveryOffer(RecoveryStore& store, Dialogs& dialogs, EditorWindows& editors, ControlSet& controls);
    // Shows the box when there are copies; nothing is done when closing() is true after it.
    void run(const std::function<bool()>& closing);

private:
    TCodeEd& windowFor(const std::string& file);

    RecoveryStore& m_store;
    Dialogs& m_dialogs;
    EditorWindows& m_editors;
    ControlSet& m_controls;
};
