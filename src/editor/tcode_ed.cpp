#include "editor/tcode_ed.h"

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "editor/caret_line.h"
#include "editor/editor_commands.h"
#include "editor/editor_platform.h"
#include "editor/editor_windows.h"
#include "editor/recovery_store.h"
#include "editor/text_search.h"
#include "platform/paths/win_path.h"

namespace {

const char* const kJumpFailed = "Jump failed\rNo text at this location, file has been Modified ?";

}  // namespace

TCodeEd::TCodeEd(TEmbedded& app, EditorWindows& windows) : m_app(app), m_windows(windows)
{
    declareEditorCommands(m_controls);
    m_panels = {{{"Position", 120}, {"lines", 50}, {"", 130}, {"", 130}, {"", 50}, {"", 50}}};
    m_findDialog.onChange([this] { notify(EditorChange::FindDialog); });
    m_replaceDialog.onChange([this] { notify(EditorChange::ReplaceDialog); });
    wireCommands();
    followEdits();
    m_recoveryKey = app.recovery().add({[this] { return m_buffer->modified(); }, [this] { return m_buffer->snapshot(); },
                                        [this] { return hasName() ? m_fileName : std::string(); }});
}

TCodeEd::~TCodeEd() = default;

void TCodeEd::wireCommands()
{
    ControlSet& c = m_controls;
    c["Open1"].onActivate([this](const Sender& s) { m_app.OpenFileClick(s); });
    const std::pair<const char*, void (TCodeEd::*)()> plain[] = {
        {"New1", &TCodeEd::New1Click},
        {"Close1", &TCodeEd::Close1Click},
        {"SaveAll1", &TCodeEd::SaveAll1Click},
        {"CloseAll1", &TCodeEd::CloseAll1Click},
        {"SaveOutputFileto", &TCodeEd::SaveOutputFiletoClick},
        {"SelectsaveLocation1", &TCodeEd::SelectSaveLocation1Click},
        {"PrintSetup1", &TCodeEd::PrintSetup1Click},
        {"Print1", &TCodeEd::Print1Click},
        {"Exit1", &TCodeEd::Exit1Click},
        {"Cut1", &TCodeEd::Cut1Click},
        {"Copy1", &TCodeEd::Copy1Click},
        {"Paste1", &TCodeEd::Paste1Click},
        {"Delete1", &TCodeEd::Delete1Click},
        {"SelectAll1", &TCodeEd::SelectAll1Click},
        {"Selectfont1", &TCodeEd::Setfont},
        {"Find1", &TCodeEd::Find1Click},
        {"Replace1", &TCodeEd::Replace1Click},
    };
    for (const auto& [name, handler] : plain)
        c[name].onActivate([this, handler = handler](const Sender&) { (this->*handler)(); });
    c["Save1"].onActivate([this](const Sender&) { Save1Click(); });
    c["SaveAs1"].onActivate([this](const Sender&) { SaveAs1Click(); });
    c["Locate"].onActivate([this](const Sender&) { Find(FindSource::Locate); });
}

void TCodeEd::attach(TextBuffer* buffer, EditorPlatform* platform)
{
    TextBuffer* from = m_buffer;
    TextBuffer* to = buffer ? buffer : &m_ownBuffer;
    m_platform = platform;
    if (from == to)
        return;
    // The text goes with the control, so a window never loses what it shows.
    if (from != &m_ownBuffer || from->length() > 0 || from->modified()) {
        const int start = from->selStart();
        const int length = from->selLength();
        const bool modified = from->modified();
        to->setText(from->text());
        to->setSelection(start, length);
        to->setModified(modified);
    }
    m_buffer = to;
    if (from == &m_ownBuffer)
        m_ownBuffer.setText("");
    from->onEdit = nullptr;
    followEdits();
    clearMarks();
}

void TCodeEd::followEdits()
{
    m_buffer->onEdit = [this](const TextEdit& e) {
        if (m_marks.edit(e))
            marksMoved();
    };
}

void TCodeEd::setMarks(std::vector<LineMark> marks)
{
    m_marks.set(std::move(marks), *m_buffer);
    marksMoved();
}

void TCodeEd::clearMarks()
{
    if (m_marks.empty())
        return;
    m_marks.clear();
    marksMoved();
}

void TCodeEd::marksMoved()
{
    notify(EditorChange::Marks);
    m_windows.marksMoved(*this);
}

bool TCodeEd::allowsInsert(int count) const
{
    return static_cast<long long>(m_buffer->length()) - m_buffer->selLength() + count <= m_lengthLimit;
}

bool TCodeEd::nameFile(const std::string& file)
{
    if (file.size() < 2) {
        m_buffer->setModified(false);
        close();
        return false;
    }
    m_fileName = file;
    setFont(m_fontDialog.font);
    return true;
}

void TCodeEd::afterLoad()
{
    clearMarks();
    m_lengthLimit = LoadedLengthLimit;
    setCaption(winpath::fileName(m_fileName));
    m_buffer->setModified(false);
    setPanel(2, std::to_string(countLines(m_buffer->text())));
}

void TCodeEd::OpenAtLine(const std::string& file, int line)
{
    if (!nameFile(file))
        return;
    const auto bytes = m_app.host().files.readBytes(file);
    if (!bytes) {
        m_buffer->setText("");
        m_unread = true;
        m_disk.forget();
        m_app.message("Sorry I can't Access files which are not in the Compiler source Folder \r" + m_app.compileDir(),
                      MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    m_unread = false;
    m_buffer->setText(toCrLf(*bytes));
    m_disk.remember(m_app.host().files, file, *bytes);
    afterLoad();
    m_windows.loaded(*this);
    Control& locate = m_controls["Locate"];
    if (line < 2) {
        locate.setCaption("Jump ");
        locate.setEnabled(false);
        return;
    }
    setPanel(5, std::to_string(line));
    locate.setCaption("Jump to " + panel(5).text);
    jump();
}

void TCodeEd::NewNamedFile(const std::string& file)
{
    if (!nameFile(file))
        return;
    m_unread = false;
    m_disk.forget();
    afterLoad();
}

void TCodeEd::restore(const std::string& file, const std::string& text)
{
    if (!file.empty()) {
        m_fileName = file;
        setFont(m_fontDialog.font);
        m_lengthLimit = LoadedLengthLimit;
        setCaption(winpath::fileName(m_fileName));
    }
    clearMarks();
    m_buffer->setText(text);
    m_buffer->setModified(true);
    setPanel(2, std::to_string(countLines(text)));
    setPanel(4, "Modified");
    m_app.recovery().copyNow(m_recoveryKey);
}

void TCodeEd::jump()
{
    long long n = 0;
    if (!winpath::parseInt(panel(5).text, n))
        n = 0;
    const std::string t = n >= 1 && n <= m_buffer->lineCount() ? m_buffer->lineText(static_cast<int>(n - 1)) : "";
    if (t.empty()) {
        m_app.message(kJumpFailed, MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    searchForward(t);
}

void TCodeEd::searchForward(const std::string& t)
{
    while (true) {
        const std::string s = m_buffer->text();
        const std::size_t start = static_cast<std::size_t>(m_buffer->selStart() + m_buffer->selLength());
        const std::size_t p = findIgnoringCase(s, start, t);
        if (p != std::string::npos) {
            m_buffer->setSelection(static_cast<int>(p), static_cast<int>(t.size()));
            return;
        }
        if (m_app.message("Search Failed, Re-start at Top " + t, MsgButtons::YesCancel, MsgIcon::Information) !=
            MsgAnswer::Yes)
            return;
        m_buffer->setSelection(0, 0);
    }
}

void TCodeEd::Find(FindSource source)
{
    switch (source) {
    case FindSource::FindDialog:
        searchForward(m_findDialog.findText);
        break;
    case FindSource::ReplaceDialog:
        searchForward(m_replaceDialog.findText);
        break;
    case FindSource::Locate:
        jump();
        break;
    }
}

void TCodeEd::FindAgain()
{
    if (m_findDialog.findText.empty())
        Find1Click();
    else
        Find(FindSource::FindDialog);
}

ScreenRect TCodeEd::editorRect() const
{
    if (m_platform)
        return m_platform->editorRect();
    return {0, 0, Width, Height};
}

void TCodeEd::Find1Click()
{
    const ScreenRect r = editorRect();
    m_buffer->setSelection(0, 0);
    m_findDialog.show({r.left + r.width / 2, r.top + 300});
}

void TCodeEd::Replace1Click()
{
    const ScreenRect r = editorRect();
    m_replaceDialog.show({r.left + r.width, r.top});
}

void TCodeEd::ReplaceDialogReplace()
{
    const std::string& t = m_replaceDialog.findText;
    const std::size_t p = findExact(m_buffer->text(), t);
    if (p == std::string::npos) {
        m_app.message("Not found \"" + t, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    m_buffer->setSelection(static_cast<int>(p), static_cast<int>(t.size()));
    m_buffer->replaceSelection(m_replaceDialog.replaceText);
}

void TCodeEd::ReplaceDialogReplaceAll()
{
    const std::string& t = m_replaceDialog.findText;
    const std::vector<std::size_t> at = findAllExact(m_buffer->text(), t);
    if (at.empty()) {
        m_app.message("Not found \"" + t, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    if (m_buffer->replaceEach(at, t.size(), m_replaceDialog.replaceText))
        setPanel(6, "Replaced " + std::to_string(at.size()));
}

void TCodeEd::CodeEditorKeyPress(char)
{
    if (m_buffer->modified())
        setPanel(4, "Modified");
}

void TCodeEd::CodeEditorChange()
{
    m_app.recovery().edited(m_recoveryKey);
}

void TCodeEd::CodeEditorSelectionChange()
{
    ShowCaretPosition();
}

void TCodeEd::ShowCaretPosition()
{
    const int k = m_buffer->selStart();
    const int line = m_buffer->lineOfPosition(k);
    const int col = k - m_buffer->lineStart(line);
    setPanel(1, caretPositionText(line + 1, col + 1));
    const CaretLine parsed = parseCaretLine(m_buffer->lineText(line));
    setPanel(3, parsed.name);
    m_windows.pendingJumpLine = parsed.jump;
    m_windows.pendingJumpFile = parsed.name;
}

void TCodeEd::Open1Click()
{
    m_controls["Open1"].activate();
}

void TCodeEd::New1Click()
{
    m_app.NewFile1Click();
}

void TCodeEd::Close1Click()
{
    close();
}

bool TCodeEd::Save1Click()
{
    if (!hasName())
        return m_saveAsDeclined && m_app.closing() ? false : SaveAs1Click();
    // An empty window over a file that could not be read would destroy that file.
    if (m_unread && !m_buffer->modified())
        return true;
    if (!mayOverwrite())
        return false;
    const std::string text = m_buffer->text();
    if (!m_app.host().files.writeBytes(m_fileName, text)) {
        m_app.message(cannotCreateMessage(m_fileName), MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    m_disk.remember(m_app.host().files, m_fileName, text);
    setPanel(6, "");
    m_unread = false;
    m_buffer->setModified(false);
    setPanel(4, "");
    m_app.recovery().drop(m_recoveryKey);
    return true;
}

bool TCodeEd::SaveAs1Click()
{
    FileDialogRequest request;
    request.title = "Save As";
    request.fileName = m_fileName;
    const auto path = m_app.host().dialogs.saveFile(request);
    if (!path || path->empty()) {
        m_saveAsDeclined = m_app.closing();
        return false;
    }
    m_fileName = *path;
    m_unread = false;
    // The chosen file is replaced as it is, whatever it holds.
    m_disk.forget();
    setCaption(winpath::fileName(m_fileName));
    return Save1Click();
}

void TCodeEd::SaveAll1Click()
{
    m_windows.SaveEdtorFiles();
}

void TCodeEd::CloseAll1Click()
{
    m_windows.CloseEditorFiles();
}

void TCodeEd::SaveOutputFiletoClick()
{
    m_app.SaveObjectFileClick();
}

void TCodeEd::SelectSaveLocation1Click()
{
    m_app.SelectSaveLocation1Click();
}

void TCodeEd::PrintSetup1Click()
{
    if (m_platform)
        m_platform->printSetup();
}

void TCodeEd::Print1Click()
{
    if (m_platform)
        m_platform->print(m_fileName);
}

void TCodeEd::Exit1Click()
{
    // The main window's own exit: the shutdown saves the project, the settings and every editor.
    m_app.controls()["Exit1"].activate();
}

void TCodeEd::Cut1Click()
{
    m_buffer->cut();
}

void TCodeEd::Copy1Click()
{
    m_buffer->copy();
}

void TCodeEd::Paste1Click()
{
    m_buffer->paste();
}

void TCodeEd::Delete1Click()
{
    m_buffer->deleteSelection();
}

void TCodeEd::SelectAll1Click()
{
    m_buffer->setSelection(0, m_buffer->length());
}

void TCodeEd::Setfont()
{
    if (!m_platform)
        return;
    if (const auto chosen = m_platform->chooseFont(m_fontDialog)) {
        m_fontDialog.font = FontDialog::limited(*chosen);
        setFont(m_fontDialog.font);
    }
}

bool TCodeEd::FormCloseQuery()
{
    if (!m_buffer->modified())
        return true;
    const std::string name = hasName() ? m_fileName : m_caption;
    switch (m_app.message("Save changes to " + name + "?", MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgAnswer::No:
        m_app.recovery().drop(m_recoveryKey);
        return true;
    case MsgAnswer::Yes:
        // A save that was cancelled or failed keeps the window and its text; at the shutdown,
        // as a recovery copy.
        return Save1Click();
    default:
        return false;
    }
}

void TCodeEd::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    clearMarks();
    m_app.recovery().remove(m_recoveryKey);
    m_findDialog.close();
    m_replaceDialog.close();
    m_windows.destroy(*this);
}

bool TCodeEd::close()
{
    if (m_closed)
        return true;
    if (!FormCloseQuery())
        return false;
    FormClose();
    return true;
}

void TCodeEd::setCaption(const std::string& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    notify(EditorChange::Caption);
    m_windows.captionChanged(*this);
}

void TCodeEd::setPanel(int number, const std::string& text)
{
    EditorPanel& p = m_panels.at(static_cast<std::size_t>(number - 1));
    if (p.text == text)
        return;
    p.text = text;
    notify(EditorChange::Status);
}

void TCodeEd::setFont(const EditorFont& font)
{
    if (m_font == font)
        return;
    m_font = font;
    notify(EditorChange::Font);
}

void TCodeEd::notify(EditorChange change)
{
    const auto observers = m_observers;
    for (const auto& fn : observers)
        fn(change);
}
