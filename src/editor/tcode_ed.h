#pragma once
// One code editor window as core state: its file, its editing control (a text buffer), its
// menus, its six status panels and its dialogs, with the handlers by their names.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/control_set.h"
#include "editor/editor_font.h"
#include "editor/editor_platform.h"
#include "editor/search_dialogs.h"
#include "editor/string_buffer.h"

class EditorWindows;
class TEmbedded;

struct EditorPanel {
    std::string text;
    int width = 0;
};

enum class EditorChange { Caption, Status, Font, FindDialog, ReplaceDialog };

// Who asked for a forward search.
enum class FindSource { FindDialog, ReplaceDialog, Locate };

class TCodeEd {
public:
    static constexpr const char* DefaultCaption = "Code Editor";
    static constexpr int InitialLengthLimit = 200'000'000;
    static constexpr int LoadedLengthLimit = 2'000'000;
    static constexpr int Width = 572;
    static constexpr int Height = 318;

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
    // Typing or pasting count characters over the selection keeps the text within the limit.
    bool allowsInsert(int count) const;

    void OpenAtLine(const std::string& file, int line);
    void NewNamedFile(const std::string& file);

    void Open1Click();
    void New1Click();
    void Close1Click();
    // True when the file was written (or, for a file that could not be read, rightly left alone).
    bool Save1Click();
    bool SaveAs1Click();
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
    void setCaption(const std::string& caption);
    void setPanel(int number, const std::string& text);
    void setFont(const EditorFont& font);
    bool nameFile(const std::string& file);
    void afterLoad();
    void jump();
    void searchForward(const std::string& t);
    ScreenRect editorRect() const;
    void notify(EditorChange change);

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
    bool m_closed = false;
    std::vector<std::function<void(EditorChange)>> m_observers;
};
