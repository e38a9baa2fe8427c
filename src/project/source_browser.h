#pragma once
// The folder browser of the project edit panel: the drive box, the directory list (the folders
// from the drive root down to the current directory, then its sub-folders) and the file list
// (sub-folders, then the sources matching the mask). State lives here and in the panel's
// controls; the view only shows it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host/files.h"

class Control;
class ControlSet;

class SourceBrowser {
public:
    static constexpr const char* Mask = "*.c;*.h";

    struct DirRow {
        std::string name;  // "C:\" for the root, else the folder's name
        std::string path;
        int level;         // 0 for the root
        bool open;         // on the way to the current directory, or the current directory
    };
    struct FileRow {
        std::string name;
        bool folder;
    };

    using Report = std::function<void(const std::string&)>;
    using Stopped = std::function<bool()>;
    // `stopped` says a shutdown has begun: a listing under way then leaves out the files.
    SourceBrowser(ControlSet& controls, Files& files, Report report, Stopped stopped = {});

    // Shows the folder; false, with nothing changed, when it is not a folder that exists.
    bool setDirectory(const std::string& path);
    const std::string& directory() const { return m_dir; }
    // Reads the drives and the current folder again.
    void refresh();

    const std::vector<DriveInfo>& drives() const { return m_drives; }
    int currentDrive() const;
    // The drive's folder last shown, else its root. A drive without a disk is reported as the
    // platform reports it and nothing changes; false then.
    bool chooseDrive(int index);

    const std::vector<DirRow>& dirRows() const { return m_dirRows; }
    int currentDirRow() const { return m_currentDirRow; }
    bool openDirRow(int index);

    const std::vector<FileRow>& fileRows() const { return m_fileRows; }
    int selectedFile() const { return m_selected; }
    // Selects a row (-1 for none); the file-name field takes the file's name, or the mask
    // while no file is selected.
    void selectFile(int index);
    bool openFolderRow(int index);
    // Names of the file rows that are files, in list order.
    std::vector<std::string> fileNames() const;

private:
    void rebuild();
    void publish();

    Files& m_files;
    Report m_report;
    Stopped m_stopped;
    Control& m_srcDir;
    Control& m_trans;
    Control& m_fileList;
    Control& m_dirList;
    Control& m_driveBox;

    std::string m_dir;
    std::vector<DriveInfo> m_drives;
    std::map<char, std::string> m_lastOnDrive;
    std::vector<DirRow> m_dirRows;
    int m_currentDirRow = -1;
    std::vector<FileRow> m_fileRows;
    int m_selected = -1;
};
