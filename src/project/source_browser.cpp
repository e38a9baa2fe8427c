#include "project/source_browser.h"

#include <algorithm>
#include <cctype>

#include "app/control_set.h"
#include "app/file_messages.h"
#include "platform/paths/win_path.h"

namespace {

char upperLetter(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// "c:/a//b\" -> "C:\a\b"; "" for anything that is not a path from a drive root.
std::string normalized(const std::string& path)
{
    const std::string t = winpath::trim(path);
    if (t.size() < 2 || t[1] != ':' || !std::isalpha(static_cast<unsigned char>(t[0])))
        return {};
    std::string out = {upperLetter(t[0]), ':', '\\'};
    for (std::size_t i = 2; i < t.size(); ++i) {
        const char c = t[i] == '/' ? '\\' : t[i];
        if (c == '\\' && out.back() == '\\')
            continue;
        out += c;
    }
    if (out.size() > 3 && out.back() == '\\')
        out.pop_back();
    return out;
}

std::vector<std::string> components(const std::string& dir)
{
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 3; i < dir.size(); ++i) {
        if (dir[i] == '\\') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += dir[i];
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    return parts;
}

std::string driveText(const DriveInfo& d)
{
    std::string text = {static_cast<char>(std::tolower(static_cast<unsigned char>(d.letter))), ':'};
    if (!d.label.empty())
        text += " [" + d.label + "]";
    return text;
}

}  // namespace

SourceBrowser::SourceBrowser(ControlSet& controls, Files& files, Report report, Stopped stopped)
    : m_files(files),
      m_report(std::move(report)),
      m_stopped(std::move(stopped)),
      m_srcDir(controls["SrcDir"]),
      m_trans(controls["Trans"]),
      m_fileList(controls["FileListBox1"]),
      m_dirList(controls["DirectoryListBox1"]),
      m_driveBox(controls["DriveComboBox1"])
{
    m_trans.setText(Mask);
}

bool SourceBrowser::setDirectory(const std::string& path)
{
    const std::string dir = normalized(path);
    if (dir.empty() || !m_files.folderExists(dir))
        return false;
    m_dir = dir;
    m_lastOnDrive[dir[0]] = dir;
    m_selected = -1;
    rebuild();
    publish();
    return true;
}

void SourceBrowser::refresh()
{
    // A folder removed meanwhile gives way to the nearest one above it that is still there.
    std::string dir = m_dir;
    while (!dir.empty() && !m_files.folderExists(dir)) {
        const std::string up = normalized(winpath::dirOnly(dir));
        dir = up == dir ? std::string() : up;
    }
    m_dir = dir;
    if (m_selected >= static_cast<int>(m_fileRows.size()))
        m_selected = -1;
    const std::string keep = m_selected >= 0 ? m_fileRows[static_cast<std::size_t>(m_selected)].name : "";
    rebuild();
    m_selected = -1;
    for (std::size_t i = 0; !keep.empty() && i < m_fileRows.size(); ++i)
        if (m_fileRows[i].name == keep)
            m_selected = static_cast<int>(i);
    publish();
}

int SourceBrowser::currentDrive() const
{
    if (m_dir.empty())
        return -1;
    for (std::size_t i = 0; i < m_drives.size(); ++i)
        if (m_drives[i].letter == m_dir[0])
            return static_cast<int>(i);
    return -1;
}

bool SourceBrowser::chooseDrive(int index)
{
    if (index < 0 || index >= static_cast<int>(m_drives.size()))
        return false;
    const DriveInfo drive = m_drives[static_cast<std::size_t>(index)];
    const std::string root = {drive.letter, ':', '\\'};
    if (!drive.ready || !m_files.folderExists(root)) {
        m_report(driveNotReadyMessage(drive.letter));
        publish();  // the box goes back to the drive still shown
        return false;
    }
    auto last = m_lastOnDrive.find(drive.letter);
    if (last != m_lastOnDrive.end() && setDirectory(last->second))
        return true;
    return setDirectory(root);
}

bool SourceBrowser::openDirRow(int index)
{
    if (index < 0 || index >= static_cast<int>(m_dirRows.size()))
        return false;
    return setDirectory(m_dirRows[static_cast<std::size_t>(index)].path);
}

void SourceBrowser::selectFile(int index)
{
    if (index < -1 || index >= static_cast<int>(m_fileRows.size()))
        index = -1;
    m_selected = index;
    m_fileList.setSelected(index);
    const bool file = index >= 0 && !m_fileRows[static_cast<std::size_t>(index)].folder;
    m_trans.setText(file ? m_fileRows[static_cast<std::size_t>(index)].name : Mask);
}

bool SourceBrowser::openFolderRow(int index)
{
    if (index < 0 || index >= static_cast<int>(m_fileRows.size()))
        return false;
    const FileRow& row = m_fileRows[static_cast<std::size_t>(index)];
    return row.folder && setDirectory(winpath::join(m_dir, row.name));
}

std::vector<std::string> SourceBrowser::fileNames() const
{
    std::vector<std::string> names;
    for (const FileRow& row : m_fileRows)
        if (!row.folder)
            names.push_back(row.name);
    return names;
}

void SourceBrowser::rebuild()
{
    m_drives = m_files.drives();
    m_dirRows.clear();
    m_fileRows.clear();
    m_currentDirRow = -1;
    if (m_dir.empty())
        return;
    std::string path = m_dir.substr(0, 3);
    m_dirRows.push_back({path, path, 0, true});
    int level = 0;
    for (const std::string& part : components(m_dir)) {
        path = winpath::join(path, part);
        m_dirRows.push_back({part, path, ++level, true});
    }
    m_currentDirRow = static_cast<int>(m_dirRows.size()) - 1;
    Files::Listing listing = m_files.listing(m_dir, Mask);
    for (std::string& sub : listing.folders) {
        m_dirRows.push_back({sub, winpath::join(m_dir, sub), level + 1, false});
        m_fileRows.push_back({std::move(sub), true});
    }
    // A folder of a great many files takes a while to show; a shutdown need not wait.
    if (m_stopped && m_stopped())
        return;
    m_fileRows.reserve(m_fileRows.size() + listing.files.size());
    for (std::string& name : listing.files)
        m_fileRows.push_back({std::move(name), false});
}

void SourceBrowser::publish()
{
    std::vector<std::string> drives;
    for (const DriveInfo& d : m_drives)
        drives.push_back(driveText(d));
    if (drives != m_driveBox.items())
        m_driveBox.setItems(std::move(drives));
    m_driveBox.setItemIndex(currentDrive());

    std::vector<std::string> dirs;
    for (const DirRow& row : m_dirRows)
        dirs.push_back(row.name);
    m_dirList.setEntries(std::move(dirs));
    m_dirList.setSelected(m_currentDirRow);

    if (m_stopped && m_stopped())
        m_fileRows.erase(std::remove_if(m_fileRows.begin(), m_fileRows.end(), [](const FileRow& r) { return !r.folder; }),
                         m_fileRows.end());
    std::vector<std::string> files;
    for (const FileRow& row : m_fileRows)
        files.push_back(row.folder ? "[" + row.name + "]" : row.name);
    m_fileList.setEntries(std::move(files));
    selectFile(m_selected);
    m_srcDir.setCaption(m_dir);
}
