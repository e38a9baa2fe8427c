// The editor window's dealings with its file on disk beyond load and save: another program's
// change, the saves that only write a changed text, and an open route that finds the file
// already shown here.
#include <algorithm>

#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/text_buffer.h"

bool TCodeEd::saveIfChanged()
{
    if (!m_buffer->modified())
        return true;
    if (m_disk.keptTheirs(m_app.host().files, m_fileName))
        return false;
    return Save1Click();
}

bool TCodeEd::mayOverwrite()
{
    if (m_disk.check(m_app.host().files, m_fileName) != DiskState::Changed)
        return true;
    if (m_app.message(m_fileName + " was changed by another program since it was opened.\rOverwrite those changes?",
                      MsgButtons::YesNo, MsgIcon::Warning) == MsgAnswer::Yes)
        return true;
    m_disk.keepTheirs(m_app.host().files, m_fileName);
    setPanel(6, ChangedOnDiskNote);
    return false;
}

void TCodeEd::fileChangedOnDisk()
{
    if (m_closed || m_fileName.empty() || m_unread)
        return;
    std::string bytes;
    switch (m_disk.check(m_app.host().files, m_fileName, &bytes)) {
    case DiskState::Gone:
        return;
    case DiskState::Same:
        // Changed back to what this window holds.
        if (!m_buffer->modified())
            setPanel(6, "");
        return;
    case DiskState::Changed:
        break;
    }
    if (m_buffer->modified()) {
        setPanel(6, ChangedOnDiskNote);
        return;
    }
    const int line = m_buffer->lineOfPosition(m_buffer->selStart());
    m_buffer->setText(toCrLf(bytes));
    m_disk.remember(m_app.host().files, m_fileName, bytes);
    afterLoad();
    m_windows.loaded(*this);
    setPanel(6, "");
    const int kept = std::min(line, m_buffer->lineCount() - 1);
    m_buffer->setSelection(std::max(0, m_buffer->lineStart(kept)), 0);
}

void TCodeEd::goToLine(int line)
{
    if (line < 1 || line > m_buffer->lineCount())
        return;
    if (line >= 2) {
        setPanel(5, std::to_string(line));
        Control& locate = m_controls["Locate"];
        locate.setCaption("Jump to " + panel(5).text);
        locate.setEnabled(true);
    }
    m_buffer->setSelection(m_buffer->lineStart(line - 1), static_cast<int>(m_buffer->lineText(line - 1).size()));
}
