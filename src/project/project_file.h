#pragma once
// The project file: the project line list composed from the controls, and read back into them.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class Control;
class TEmbedded;
struct ProjectLine;

class ProjectFile {
public:
    explicit ProjectFile(TEmbedded& app);

    // Controls and the three file lists -> the project line list.
    void ComposeProject();
    // Lines 0 to 83 -> controls; hands back the three counts; false when a line fails.
    bool ReadOptions(int& sources, int& objects, int& libraries);
    // What a successful load does with the compile directory's copies of the sources: clears
    // them, or leaves them to the build files made right after it, which replace each in place
    // (deleting a great many files and making them again costs far more on some file systems).
    enum class Copies { Cleared, LeftForBuild };
    // The project line list (already filled) -> controls and lists; true when taken over.
    bool readproject(const std::string& path, Copies copies = Copies::Cleared);
    // Reads the file into the project line list and runs readproject. A file larger than any
    // project is refused with a box before a byte of it is read.
    bool load(const std::string& path, Copies copies = Copies::Cleared);
    // 84 option lines and three lists of paths of at most 260 characters: 64 MiB holds a
    // quarter of a million entries, far more than any build of the toolchain takes, while a
    // larger file (a disk image, a sparse file chosen by mistake) would take seconds and
    // gigabytes to be read into lines before its first line was found wrong.
    static constexpr std::uint64_t MaxBytes = 64u << 20;
    static std::string tooLargeMessage(const std::string& path, std::uint64_t size);
    // Writes the project line list to the path, replacing the file. The first write to a
    // file that failed to load keeps the original beside it as "<path>.bak" first; false,
    // with nothing written, when that copy or the write fails. The caller reports it.
    bool write(const std::string& path);
    // The next write to the path keeps the file there as "<path>.bak" first, as after a
    // failed load: for a file that is not this project's own.
    void keepOriginalOnFirstWrite(const std::string& path);
    // Deletes the compile directory's copies of the sources and its ide.bat.
    void ClearCompileCopies();
    // The sources whose copies the last load left for the build files, once.
    std::optional<std::vector<std::string>> takeCopiesLeftForBuild()
    {
        return std::exchange(m_copiesLeftForBuild, std::nullopt);
    }

    // Where the project edit panel's directory list should point after a load.
    std::string editPanelDir;

private:
    struct Bound {
        Control* control;
        const ProjectLine* row;
    };
    void bind();
    bool readLists(int sources, int objects, int libraries);
    void rememberOutcome(const std::string& path, bool loaded);

    TEmbedded& m_app;
    std::vector<Bound> m_lines;
    std::vector<Control*> m_lists;  // in file order
    std::vector<Control*> m_alwaysChosen;
    Control* m_linkFile = nullptr;
    // Lower-case paths whose original is kept on the next write; true when the load failed.
    std::map<std::string, bool> m_protected;
    std::optional<std::vector<std::string>> m_copiesLeftForBuild;
};
