#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QListView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>

#include "platform/paths/drive_map.h"
#include "platform/paths/win_path.h"
#include "platform/qt/folder_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/windows_form.h"

namespace
{

const char* const AppTitle = "Tarnel";

std::atomic<bool> s_nonInteractive{false};

std::map<std::string, QtDialogs::DialogView>& dialogViews()
{
    static std::map<std::string, QtDialogs::DialogView> views;
    return views;
}

struct ButtonSet {
    MsgButtons buttons;
    QMessageBox::StandardButtons standard;
    QMessageBox::StandardButton escape; // what closing the box answers
};

const ButtonSet ButtonSets[] = {
    {MsgButtons::Ok, QMessageBox::Ok, QMessageBox::Ok},
    {MsgButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
    {MsgButtons::YesOkCancel, QMessageBox::Yes | QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
    {MsgButtons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
    {MsgButtons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel},
    {MsgButtons::YesCancel, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel},
};

const ButtonSet& buttonSet(MsgButtons buttons)
{
    for (const ButtonSet& set : ButtonSets)
        if (set.buttons == buttons)
            return set;
    return ButtonSets[0];
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

// "*.r25" or ".r25" or "r25" -> "r25"; nothing for wildcards such as "*.*".
QString suffixOf(const std::string& defaultExtension)
{
    QString s = toQ(winpath::trim(defaultExtension));
    while (s.startsWith('*') || s.startsWith('.'))
        s.remove(0, 1);
    return s.contains('*') || s.contains('?') ? QString() : s;
}

// Programs on this platform have no extension: a typed name that exists is taken as it is,
// and only a name that does not gets the default extension.
class FileDialog : public QFileDialog
{
public:
    FileDialog(QWidget* parent, const QString& title, const DriveMap& map) : QFileDialog(parent, title)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        m_windows = new WindowsForm(*this, map);
    }
    void setOpenSuffix(const QString& suffix) { m_openSuffix = suffix; }

    void accept() override
    {
        m_windows->accept([this] { acceptChoice(); });
    }

private:
    void acceptChoice()
    {
        if (!m_openSuffix.isEmpty()) {
            setDefaultSuffix(QString());
            const QStringList typed = selectedFiles();
            if (typed.isEmpty() || !QFileInfo::exists(typed.first()))
                setDefaultSuffix(m_openSuffix);
        }
        QFileDialog::accept();
    }

    QString m_openSuffix;
    WindowsForm* m_windows;
};

// Drive places read "C:", as the system writes them, not as the link in the prefix is named.
class DrivePlaceNames : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        const QString text = QStyledItemDelegate::displayText(value, locale);
        if (text.size() == 2 && text[0].isLetter() && text[1] == ':')
            return text.toUpper();
        return text;
    }
};

} // namespace

QtDialogs::QtDialogs(const DriveMap& map) : m_map(map) {}

void QtDialogs::setNonInteractive(bool on)
{
    s_nonInteractive = on;
}

bool QtDialogs::nonInteractive()
{
    return s_nonInteractive;
}

MsgAnswer QtDialogs::unattendedAnswer(MsgButtons buttons)
{
    const QMessageBox::StandardButton escape = buttonSet(buttons).escape;
    return answerOf(escape);
}

QString QtDialogs::displayText(const std::string& text)
{
    QString out = toQ(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace('\r', '\n');
    return out;
}

QtDialogs::BoxText QtDialogs::boxText(const std::string& text)
{
    const QString whole = displayText(text);
    const QChar ellipsis(0x2026);
    BoxText out;
    bool cut = false;
    qsizetype start = 0;
    for (int line = 0; start <= whole.size(); ++line) {
        qsizetype end = whole.indexOf('\n', start);
        if (end < 0)
            end = whole.size();
        if (line == MaxShownLines || out.shown.size() >= MaxShownLength) {
            out.shown += '\n';
            out.shown += ellipsis;
            cut = true;
            break;
        }
        if (line > 0)
            out.shown += '\n';
        const qsizetype room = std::min<qsizetype>(MaxShownLineLength, MaxShownLength - out.shown.size());
        if (end - start > room) {
            out.shown += QStringView(whole).mid(start, room);
            out.shown += ellipsis;
            cut = true;
        } else {
            out.shown += QStringView(whole).mid(start, end - start);
        }
        start = end + 1;
    }
    if (!cut)
        return out;
    out.details.reserve(whole.size() + whole.size() / DetailsPieceLength + 1);
    qsizetype run = 0;
    for (const QChar c : whole) {
        if (c == '\n') {
            run = 0;
        } else if (run == DetailsPieceLength) {
            out.details += '\n';
            run = 0;
        }
        if (c != '\n')
            ++run;
        out.details += c;
    }
    return out;
}

QStringList QtDialogs::nameFilters(const std::vector<FileFilter>& filters)
{
    QStringList out;
    for (const FileFilter& f : filters) {
        QStringList patterns;
        for (const QString& p : toQ(f.patterns).split(';', Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty())
                patterns << p.trimmed();
        out << QStringLiteral("%1 (%2)").arg(toQ(f.description), patterns.join(' '));
    }
    return out;
}

QWidget* QtDialogs::parentWidget()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

MsgAnswer QtDialogs::message(const std::string& text, MsgButtons buttons, MsgIcon icon)
{
    if (nonInteractive()) {
        std::fprintf(stderr, "%s: %s\n", AppTitle, displayText(text).toLocal8Bit().constData());
        return unattendedAnswer(buttons);
    }
    const ButtonSet& set = buttonSet(buttons);
    const BoxText shown = boxText(text);
    QMessageBox box(qtIcon(icon), QString::fromLatin1(AppTitle), shown.shown, set.standard, parentWidget());
    box.setTextFormat(Qt::PlainText);
    if (!shown.details.isEmpty())
        box.setDetailedText(shown.details);
    box.setEscapeButton(set.escape);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return answerOf(clicked == QMessageBox::NoButton ? set.escape : clicked);
}

QList<QUrl> QtDialogs::places() const
{
    QList<QUrl> out;
    const QDir devices(hostPathToQ(m_map.prefix()) + "/dosdevices");
    const auto entries = devices.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        // "c:" links a drive; "c::" names its raw device.
        if (name.size() == 2 && name[0].isLetter() && name[1] == ':' && entry.isDir())
            out << QUrl::fromLocalFile(entry.absoluteFilePath());
    }
    out << QUrl::fromLocalFile(QDir::homePath());
    return out;
}

QString QtDialogs::startFolder(const std::string& windowsFolder) const
{
    std::string folder = winpath::trim(windowsFolder);
    while (!folder.empty()) {
        if (const QString host = hostFolder(folder); !host.isEmpty())
            return host;
        if (folder.size() > 3 && folder.back() == '\\')
            folder.pop_back();
        const std::string up = winpath::dirOnly(folder);
        if (up == folder)
            break;
        folder = up;
    }
    return hostFolder("C:\\");
}

void QtDialogs::showPlaces(QFileDialog& dialog) const
{
    dialog.setSidebarUrls(places());
    if (auto* sidebar = dialog.findChild<QListView*>("sidebar"))
        sidebar->setItemDelegate(new DrivePlaceNames(sidebar));
}

QString QtDialogs::hostFolder(const std::string& windowsFolder) const
{
    if (winpath::trim(windowsFolder).empty())
        return {};
    const auto h = m_map.toHost(windowsFolder);
    return h && QFileInfo(hostPathToQ(*h)).isDir() ? hostPathToQ(*h) : QString();
}

std::optional<std::string> QtDialogs::fileDialog(const FileDialogRequest& request, bool save, int* chosenFilter)
{
    if (nonInteractive())
        return std::nullopt;
    FileDialog dialog(parentWidget(), toQ(request.title), m_map);
    // Callers that must not replace a file without asking ask themselves.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || request.mayBeNew ? QFileDialog::AnyFile : QFileDialog::ExistingFile);

    const QStringList filters = nameFilters(request.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // Filters are numbered from 1; 0 stands for the first as well.
        const int index = std::clamp(request.filterIndex - 1, 0, int(filters.size()) - 1);
        // By the dialog's own list: it stores the filters simplified (blanks collapsed), so a
        // label with two blanks in a row would not be found by its text.
        dialog.selectNameFilter(dialog.nameFilters().at(index));
    }
    showPlaces(dialog);
    if (const QString folder = startFolder(request.initialFolder); !folder.isEmpty())
        dialog.setDirectory(folder);
    if (const QString suffix = suffixOf(request.defaultExtension); !suffix.isEmpty()) {
        dialog.setDefaultSuffix(suffix);
        if (!save)
            dialog.setOpenSuffix(suffix);
    }
    if (!request.fileName.empty()) {
        if (winpath::hasDirectoryPart(request.fileName)) {
            if (const auto h = m_map.toHost(request.fileName)) {
                const QFileInfo info(hostPathToQ(*h));
                if (info.dir().exists())
                    dialog.setDirectory(info.dir());
                dialog.selectFile(info.fileName());
            }
        } else {
            dialog.selectFile(hostPathToQ(request.fileName));
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    if (chosenFilter && !filters.isEmpty())
        *chosenFilter = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
    return m_map.toWindows(hostPathFromQ(dialog.selectedFiles().first()));
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request)
{
    return fileDialog(request, false, nullptr);
}

std::optional<FileChoice> QtDialogs::openFileChoice(const FileDialogRequest& request)
{
    int filter = request.filterIndex;
    auto path = fileDialog(request, false, &filter);
    if (!path)
        return std::nullopt;
    return FileChoice{*path, filter > 0 ? filter : request.filterIndex};
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest& request)
{
    return fileDialog(request, true, nullptr);
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& title, const std::string& initialFolder)
{
    if (nonInteractive())
        return std::nullopt;
    FolderDialog dialog(parentWidget(), toQ(title), startFolder(initialFolder));
    dialog.speakWindowsPaths(m_map);
    showPlaces(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return m_map.toWindows(hostPathFromQ(dialog.selectedFiles().first()));
}

void QtDialogs::registerView(const std::string& dialogName, DialogView view)
{
    dialogViews()[dialogName] = std::move(view);
}

MsgAnswer QtDialogs::runDialog(OwnDialog& dialog)
{
    if (nonInteractive())
        return MsgAnswer::Cancel;
    const auto it = dialogViews().find(dialog.dialogName());
    if (it == dialogViews().end() || !it->second)
        return MsgAnswer::Cancel;
    return it->second(dialog, parentWidget());
}
