#pragma once
// The command file editor dialog as state: it composes a linker command file from a processor,
// segment lines built segment by segment, print formats and libraries, shows the lines in a
// preview, and saves the preview. The view shows it modally and forwards the user's events.
#include <functional>
#include <string>
#include <vector>

#include "app/control_set.h"
#include "linker/segment_grid.h"

struct Host;

class TCommandFileEd {
public:
    enum class ModalResult { None, Cancel, Ok };

    explicit TCommandFileEd(Host& host);
    TCommandFileEd(const TCommandFileEd&) = delete;
    TCommandFileEd& operator=(const TCommandFileEd&) = delete;

    // Set by the opener before the dialog is shown.
    std::string editorDirectory;
    std::string defaultLibrary;
    std::string libselectFolder;
    std::string saveDialogFolder;
    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);

    // What the opener reads after OK: the bare name of the file last saved in this use, else
    // the name the dialog was opened with.
    std::string resultFileName() const;
    ModalResult modalResult() const { return m_modalResult; }

    ControlSet& fields() { return m_fields; }
    SegmentGrid& SegmentList() { return m_grid; }
    const SegmentGrid& SegmentList() const { return m_grid; }
    const std::vector<std::string>& CommandFile() const { return m_commandFile; }
    int segmentCount() const { return m_segmentCount; }

    // Runs once per opening, when the dialog is first shown.
    void FormActivate();
    void AddSegClick();
    void AcceptSegsClick();
    void EditSegClick();
    void SegmentListKeyPress(char key);
    void SegmentListGetEditText(int column, int row);
    void SegmentListSetEditText(int column, int row, const std::string& text);
    void UpButtonClick();
    void DownButtonClick();
    void DeleteButtonClick();
    void LineDeleteClick();
    void AddBtnClick();
    void RemoveBtnClick();
    void ClrBtnClick();
    void DefaultsBtnClick();
    void SpeedButton2Click();
    void Button42Click();
    void SaveFileClick();
    void Button1Click();
    void Button43Click();

    int CountSegmentName(const std::string& text) const { return m_grid.countName(text); }

    // Hooks for the view; none decides anything.
    std::function<void()> onCaptionChanged;
    std::function<void()> onCommandFileChanged;
    std::function<void()> onClose;

    static const char* const Heading;

private:
    void declareFields();
    void wire();
    void message(const std::string& text);
    void setCounter(const std::string& caption);
    void setCommandFile(std::vector<std::string> lines);
    void close(ModalResult result);

    Host& m_host;
    ControlSet m_fields;
    SegmentGrid m_grid;
    std::vector<std::string> m_commandFile;
    std::string m_caption;
    std::string m_openedWith;
    std::string m_savedName;
    std::string m_textBeforeEdit;
    int m_segmentCount = 0;
    bool m_activated = false;
    ModalResult m_modalResult = ModalResult::None;
};
