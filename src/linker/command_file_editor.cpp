#include "linker/command_file_editor.h"

#include "app/file_messages.h"
#include "linker/command_file_check.h"
#include "linker/command_file_format.h"
#include "linker/linker_controls.h"
#include "platform/host/host.h"
#include "platform/paths/win_path.h"

const char* const TCommandFileEd::Heading = "Commnd File Editor";

namespace {

const std::vector<std::string> kSegmentTypes = {"NONE", "CODE", "DATA", "UNTYPED", "XDATA", "IDATA", "BIT"};
const std::vector<std::string> kFormatSizes = {"Small", "Medium", "Large"};

constexpr auto ED = ControlKind::Edit;
constexpr auto NU = ControlKind::Numeric;
constexpr auto BT = ControlKind::Button;
constexpr auto LS = ControlKind::List;
constexpr auto LB = ControlKind::Label;
constexpr auto PN = ControlKind::Panel;

struct HexBounds {
    const char* name;
    int max;  // 0 together with the minimum 0: no bound
    int maxLength;
};

// The memory fields stop at FF37, not FFFF.
const HexBounds kHexBounds[] = {{"Offset", 65535, 8}, {"StartMem", 65335, 8}, {"EndMem", 65335, 8}, {"DumpMem", 0, 0}};

std::string joined(const std::vector<std::string>& lines)
{
    return joinLines(lines);
}

}  // namespace

TCommandFileEd::TCommandFileEd(Host& host) : m_host(host)
{
    declareFields();
    wire();
}

void TCommandFileEd::declareFields()
{
    // Drop-downs whose text the user may also type are edits with items; MemDir is a choice
    // by index shown as a radio group. Panels carry the captions of the groups.
    const std::vector<ControlSpec> specs = {
        {"HeadingLabel", LB, "", "", Heading, {}, "", ""},
        {"SegAssembler", PN, "", "", "Segment Assembler", {}, "", ""},
        {"SegType", ED, "", "", "", kSegmentTypes, "CODE", "Segmant Type (optional)"},
        {"Segmentname", ED, "", "", "", {}, "", "Enter Segment name and increase"},
        {"Offset", NU, "", "", "", {}, "0000", ""},
        {"AddSeg", BT, "", "", "Add", {}, "", ""},
        {"EditSeg", BT, "", "", "Edit Segment", {}, "", ""},
        {"DownButton", BT, "", "", "Move Down", {}, "", ""},
        {"UpButton", BT, "", "", "Move Up", {}, "", ""},
        {"DeleteButton", BT, "", "", "Delete", {}, "", ""},
        {"Counter", LB, "", "", "0 Segments ", {}, "", ""},
        {"SegLines", PN, "", "", "Segment lines", {}, "", ""},
        {"MemLocations", PN, "", "", "Memory Locations", {}, "", ""},
        {"StartMem", NU, "", "", "", {}, "0000", "Lower"},
        {"EndMem", NU, "", "", "", {}, "0000", "Upper"},
        {"DumpMem", NU, "", "", "", {}, "0000", "Dump"},
        {"MemDir", ControlKind::ComboBox, "", "", "Allocate memory from  base.. ", {"Upwards", "Downwards"}, "0", ""},
        {"AcceptSegs", BT, "", "", "Add", {}, "", ""},
        {"LineDelete", BT, "", "", "Delete Line", {}, "", ""},
        {"SegList", LS, "", "", "", {}, "", ""},
        {"Target", PN, "", "", "Processor and print formats", {}, "", ""},
        {"CPU", ED, "", "", "", linkercontrols::cpuItems(), "78300", "CPU"},
        {"PRbox", ED, "", "", "", kFormatSizes, "", "Read Format"},
        {"PWBox", ED, "", "", "", kFormatSizes, "", "Write Format"},
        {"RuntimeLibs", PN, "", "", "Runtime Librarys ", {}, "", ""},
        {"LibraryFiles", LS, "", "", "", {}, "", ""},
        {"AddBtn", BT, "", "", "Add", {}, "", ""},
        {"RemoveBtn", BT, "", "", "Remove", {}, "", ""},
        {"ClrBtn", BT, "", "", "Clear All", {}, "", ""},
        {"DefaultsBtn", BT, "", "", "Defaults", {}, "", ""},
        {"Preview", PN, "", "", "Command file", {}, "", ""},
        {"SpeedButton2", BT, "", "", "Build", {}, "", ""},
        {"Button42", BT, "", "", "Clear", {}, "", ""},
        {"SaveFile", BT, "", "", "Save File", {}, "", ""},
        {"Button1", BT, "", "", "Cancel", {}, "", ""},
        {"Button43", BT, "", "", "OK", {}, "", ""},
    };
    m_fields.addAll(specs);
    for (const HexBounds& b : kHexBounds) {
        HexEditModel& hex = m_fields[b.name].hex();
        hex.setBounds(0, b.max);
        hex.setMaxLength(b.maxLength);
    }
}

void TCommandFileEd::wire()
{
    const std::pair<const char*, void (TCommandFileEd::*)()> actions[] = {
        {"AddSeg", &TCommandFileEd::AddSegClick},
        {"EditSeg", &TCommandFileEd::EditSegClick},
        {"DownButton", &TCommandFileEd::DownButtonClick},
        {"UpButton", &TCommandFileEd::UpButtonClick},
        {"DeleteButton", &TCommandFileEd::DeleteButtonClick},
        {"AcceptSegs", &TCommandFileEd::AcceptSegsClick},
        {"LineDelete", &TCommandFileEd::LineDeleteClick},
        {"AddBtn", &TCommandFileEd::AddBtnClick},
        {"RemoveBtn", &TCommandFileEd::RemoveBtnClick},
        {"ClrBtn", &TCommandFileEd::ClrBtnClick},
        {"DefaultsBtn", &TCommandFileEd::DefaultsBtnClick},
        {"SpeedButton2", &TCommandFileEd::SpeedButton2Click},
        {"Button42", &TCommandFileEd::Button42Click},
        {"SaveFile", &TCommandFileEd::SaveFileClick},
        {"Button1", &TCommandFileEd::Button1Click},
        {"Button43", &TCommandFileEd::Button43Click},
    };
    for (const auto& [name, handler] : actions)
        m_fields[name].onActivate([this, handler = handler](const Sender&) { (this->*handler)(); });
}

void TCommandFileEd::setCaption(const std::string& caption)
{
    if (!m_activated)
        m_openedWith = caption;
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (onCaptionChanged)
        onCaptionChanged();
}

std::string TCommandFileEd::resultFileName() const
{
    return m_savedName.empty() ? m_openedWith : m_savedName;
}

void TCommandFileEd::message(const std::string& text)
{
    m_host.dialogs.message(text, MsgButtons::Ok, MsgIcon::Information);
}

void TCommandFileEd::setCounter(const std::string& caption)
{
    m_fields["Counter"].setCaption(caption);
}

void TCommandFileEd::setCommandFile(std::vector<std::string> lines)
{
    m_commandFile = std::move(lines);
    if (onCommandFileChanged)
        onCommandFileChanged();
}

void TCommandFileEd::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    m_grid.setCell(SegmentGrid::NameColumn, 0, "Name");
    m_grid.setCell(SegmentGrid::IncreaseColumn, 0, "Increase");
    m_segmentCount = 0;
    setCaption(CommandFileCheck::commandFileName(m_caption));

    auto lines = m_host.files.readLines(winpath::join(editorDirectory, m_caption));
    if (!lines) {
        message("No default command file Set, Unable to load  ");
        return;
    }
    setCommandFile(std::move(*lines));
}

void TCommandFileEd::AddSegClick()
{
    Control& name = m_fields["Segmentname"];
    if (winpath::trim(name.text()).empty()) {
        message("No segnet Defined");
        return;
    }
    name.setText(winpath::upper(name.text()));
    if (CountSegmentName(name.text()) != 0) {
        message("Error, Duplicate Segment definition");
        return;
    }
    const int entry = m_grid.lastRow();
    m_grid.setCell(SegmentGrid::NameColumn, entry, name.text());
    const std::string increase = m_fields["Offset"].text();
    if (winpath::trim(increase) != "0000")
        m_grid.setCell(SegmentGrid::IncreaseColumn, entry, increase);
    m_grid.setRowCount(m_grid.rowCount() + 1);
    name.setText("");
    ++m_segmentCount;
    setCounter(std::to_string(m_segmentCount) + " Segments");
}

void TCommandFileEd::AcceptSegsClick()
{
    m_grid.setEditing(false);
    if (m_segmentCount == 0) {
        message("No Segments defined");
        return;
    }
    const std::string lower = m_fields["StartMem"].text();
    const std::string upper = m_fields["EndMem"].text();
    if (memoryRangeRefused(lower, upper)) {
        message("Memory Range Error");
        return;
    }
    SegmentLineChoice choice;
    choice.segmentType = m_fields["SegType"].text();
    choice.downwards = m_fields["MemDir"].itemIndex() == 1;
    choice.lower = lower;
    choice.upper = upper;
    choice.dump = m_fields["DumpMem"].text();
    const std::string line = segmentLine(choice, m_grid);

    m_grid.clearSegments();
    m_segmentCount = 0;
    setCounter("0");

    Control& lines = m_fields["SegList"];
    if (joined(lines.entries()).find(line) != std::string::npos) {
        message("This Line is already in your Segment definitions");
        return;
    }
    lines.addEntry(line);
}

void TCommandFileEd::EditSegClick()
{
    m_grid.setEditing(true);
}

void TCommandFileEd::SegmentListKeyPress(char key)
{
    if (key == '\r')
        m_grid.setEditing(false);
}

void TCommandFileEd::SegmentListGetEditText(int column, int row)
{
    m_textBeforeEdit = m_grid.cell(column, row);
}

void TCommandFileEd::SegmentListSetEditText(int column, int row, const std::string& text)
{
    if (!m_grid.cellEditable(column, row))
        return;
    m_grid.setCell(column, row, text);
    if (CountSegmentName(text) > 1)
        m_grid.setCell(column, row, m_textBeforeEdit);
}

void TCommandFileEd::UpButtonClick()
{
    // The entry row stays last, so that the next "Add" never writes over a segment.
    const int r = m_grid.row();
    if (r < 2 || r >= m_grid.lastRow())
        return;
    m_grid.swapRows(r - 1, r);
    m_grid.setRow(r - 1);
}

void TCommandFileEd::DownButtonClick()
{
    const int r = m_grid.row();
    // Below the last segment lies the blank entry row (and below that, nothing).
    if (m_grid.rowBlank(r + 1))
        return;
    m_grid.swapRows(r, r + 1);
    m_grid.setRow(r + 1);
}

void TCommandFileEd::DeleteButtonClick()
{
    const int r = m_grid.row();
    if (r <= 0 || r >= m_grid.lastRow())
        return;
    m_grid.removeRow(r);
    if (m_segmentCount > 0)
        --m_segmentCount;
    setCounter(std::to_string(m_segmentCount));
}

void TCommandFileEd::LineDeleteClick()
{
    Control& lines = m_fields["SegList"];
    if (lines.selected() >= 0)
        lines.removeEntry(lines.selected());
}

void TCommandFileEd::AddBtnClick()
{
    FileDialogRequest request;
    request.filters = parseFilterList("C Libraries [*.r25]|*.r25");
    request.defaultExtension = "*.r25";
    request.initialFolder = libselectFolder;
    const auto path = m_host.dialogs.openFile(request);
    if (!path || path->empty())
        return;
    Control& list = m_fields["LibraryFiles"];
    const std::string name = winpath::fileName(*path);
    // The whole list text is searched, as on the linker's library page.
    if (joined(list.entries()).find(name) != std::string::npos) {
        message("This file is already in your library list");
        return;
    }
    list.addEntry(name);
}

void TCommandFileEd::RemoveBtnClick()
{
    Control& list = m_fields["LibraryFiles"];
    if (list.selected() >= 0)
        list.removeEntry(list.selected());
}

void TCommandFileEd::ClrBtnClick()
{
    m_fields["LibraryFiles"].setEntries({});
}

void TCommandFileEd::DefaultsBtnClick()
{
    m_fields["LibraryFiles"].addEntry(defaultLibrary);
}

void TCommandFileEd::SpeedButton2Click()
{
    CommandFileChoice choice;
    choice.cpu = m_fields["CPU"].text();
    choice.segmentLines = m_fields["SegList"].entries();
    choice.writeFormat = m_fields["PWBox"].text();
    choice.readFormat = m_fields["PRbox"].text();
    choice.libraries = m_fields["LibraryFiles"].entries();
    setCommandFile(composeCommandFile(choice));
}

void TCommandFileEd::Button42Click()
{
    setCommandFile({});
}

void TCommandFileEd::SaveFileClick()
{
    FileDialogRequest request;
    request.title = "Save Linker Command File";
    request.filters = parseFilterList("Linker cmd File|*.xcl");
    request.defaultExtension = "*.xcl";
    request.initialFolder = saveDialogFolder;
    request.fileName = m_caption;
    const auto path = m_host.dialogs.saveFile(request);
    if (!path || path->empty())
        return;
    if (m_host.files.fileExists(*path) &&
        m_host.dialogs.message("Command File Exists " + *path + " , Overwrite Yes/No", MsgButtons::YesNo,
                               MsgIcon::Warning) != MsgAnswer::Yes)
        return;
    // The write is atomic: a failure leaves the file as it was, and the preview stays.
    if (!m_host.files.writeLines(*path, m_commandFile)) {
        m_host.dialogs.message(cannotCreateMessage(*path), MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    m_savedName = winpath::fileName(*path);
}

void TCommandFileEd::close(ModalResult result)
{
    m_modalResult = result;
    if (onClose)
        onClose();
}

void TCommandFileEd::Button1Click()
{
    close(ModalResult::Cancel);
}

void TCommandFileEd::Button43Click()
{
    close(ModalResult::Ok);
}
