#pragma once
// One code editor window as core state: its file, its editing control (a text buffer), its
// menus, its six status panels and its dialogs, with the handlers by their names.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/control_set.h"
#include "editor/disk_copy.h"
#include "editor/editor_font.h"
#include "editor/editor_platform.h"
#include "editor/line_marks.h"
#include "editor/search_dialogs.h"
#include "editor/string_buffer.h"

class EditorWindows;
class TEmbedded;

struct EditorPanel {
    std::string text;
    int width = 0;
};

enum class EditorChange { Caption, Status, Font, FindDialog, ReplaceDialog, Marks };

// Who asked for a forward search.
enum class FindSource { FindDialog, ReplaceDialog, Locate };

class TCodeEd {
public:
    static constexpr const char* DefaultCaption = "Code Editor";
    static constexpr int InitialLengthLimit = 200'000'000;
    static constexpr int LoadedLengthLimit = 2'000'000;
    static constexpr int Width = 572;
    static constexpr int Height = 318;
    static constexpr const char* ChangedOnDiskNote = "Changed on disk";

    TCodeEd(TEmbedded& app, EditorWindows& windows);
    ~TCodeEd();
    TCodeEd(const TCodeEd&) = delete;
    TCodeEd& operator=(const TCodeEd&) = delete;

    // The view's control and dialogs; nullptr goes back to the window's own buffer (whose
    // text the view's last state is copied into) and no dialogs.
    void attach(TextBuffer* buffer, EditorPlatform* platform);
    TextBuffer& buffer() { return *m_buffer; }
    const TextBuffer& buffer() const { return *m_buffer; }

    ControlSet& controls() { return m_controls; }
    const std::string& fileName() const { return m_fileName; }
    const std::string& caption() const { return m_caption; }
    // Panels numbered 1 to 6.
    const EditorPanel& panel(int number) const { return m_panels.at(static_cast<std::size_t>(number - 1)); }
    const EditorFont& font() const { return m_font; }
    FontDialog& fontDialog() { return m_fontDialog; }
    int lengthLimit() const { return m_lengthLimit; }
    FindDialog& findDialog() { return m_findDialog; }
    ReplaceDialog& replaceDialog() { return m_replaceDialog; }
    // Lines marked by a build's diagnostics; they follow the edits until replaced or cleared.
    const LineMarks& marks() const { return m_marks; }
    void setMarks(std::vector<LineMark> marks);
    void clearMarks();
    // Typing or pasting count characters over the selection keeps the text within the limit.
    bool allowsInsert(int count) const;

    void OpenAtLine(const std::string& file, int line);
    void NewNamedFile(const std::string& file);
    // An open route found its file in this window: the caret goes to the line (from 1).
    void goToLine(int line);
    // Text from a recovery copy, unsaved, under its file's name (none: a new window).
    void restore(const std::string& file, const std::string& text);

    void Open1Click();
    void New1Click();
    void Close1Click();
    // True when the file was written (or, for a file that could not be read, rightly left alone).
    bool Save1Click();
    bool SaveAs1Click();
    // "Save All" and the shutdown: a text unchanged since it was loaded or saved is not written.
    bool saveIfChanged();
    // The view saw the file change on disk: an unchanged text is read again, a changed one
    // gets a note in panel 6.
    void fileChangedOnDisk();
    void SaveAll1Click();
    void CloseAll1Click();
    void SaveOutputFiletoClick();
    void SelectSaveLocation1Click();
    void PrintSetup1Click();
    void Print1Click();
    void Exit1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void Setfont();
    void Find1Click();
    void Replace1Click();
    void Find(FindSource source);
    void ReplaceDialogReplace();
    // The replace dialog's "Replace All": every occurrence at once, one undo step; panel 6
    // tells how many.
    void ReplaceDialogReplaceAll();
    // F3: the find dialog's text again, or the find dialog when it has none yet.
    void FindAgain();
    // A character key, before it takes effect.
    void CodeEditorKeyPress(char key);
    void CodeEditorSelectionChange();
    // Any change of the text, by the user or the program.
    void CodeEditorChange();
    void ShowCaretPosition();
    // True when the window may close.
    bool FormCloseQuery();
    void FormClose();
    // The close of the window's frame or "Close File": the query, then the close.
    bool close();

    void onChange(std::function<void(EditorChange)> fn) { m_observers.push_back(std::move(fn)); }
    void clearObservers() { m_observers.clear(); }

private:
    void wireCommands();
    void followEdits();
    void marksMoved();
    void setCaption(const std::string& caption);
    void setPanel(int number, const std::string& text);
    void setFont(const EditorFont& font);
    bool nameFile(const std::string& file);
    void afterLoad();
    // False when the file changed on disk since this window read or wrote it and the user
    // would keep that change.
    bool mayOverwrite();
    void jump();
    void searchForward(const std::string& t);
    ScreenRect editorRect() const;
    void notify(EditorChange change);
    bool hasName() const { return !m_fileName.empty() && m_fileName != "Untitled"; }

    TEmbedded& m_app;
    EditorWindows& m_windows;
    ControlSet m_controls;
    StringBuffer m_ownBuffer;
    TextBuffer* m_buffer = &m_ownBuffer;
    EditorPlatform* m_platform = nullptr;

    std::string m_fileName;
    std::string m_caption = DefaultCaption;
    std::array<EditorPanel, 6> m_panels;
    EditorFont m_font = initialEditorFont();
    FontDialog m_fontDialog;
    int m_lengthLimit = InitialLengthLimit;
    FindDialog m_findDialog;
    ReplaceDialog m_replaceDialog;
    // The recorded file could not be read: the empty window must not be written over it.
    bool m_unread = false;
    DiskCopy m_disk;
    bool m_closed = false;
    // Save As was cancelled during the shutdown: it is not asked again; the recovery copy keeps
    // the text unless the user gives it up.
    bool m_saveAsDeclined = false;
    int m_recoveryKey = 0;
    LineMarks m_marks;
    std::vector<std::function<void(EditorChange)>> m_observers;
};
