#include "project/view/project_edit_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "components/view/standard_icons.h"
#include "platform/qt/qt_text.h"
#include "project/project_edit_panel.h"
#include "project/source_browser.h"

namespace {

// Our own arrow pictures: a single or double head pointing left (into the project) or right.
QIcon arrowIcon(bool left, bool twice, const QColor& colour)
{
    const int size = 20;
    QPixmap pixmap(size * 2, size * 2);
    pixmap.setDevicePixelRatio(2.0);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    auto head = [&](qreal tip) {
        QPainterPath path;
        const qreal back = left ? tip + 7 : tip - 7;
        path.moveTo(tip, 10);
        path.lineTo(back, 4);
        path.lineTo(back, 16);
        path.closeSubpath();
        p.drawPath(path);
    };
    if (twice) {
        head(left ? 3 : 17);
        head(10);
    } else {
        head(left ? 4 : 16);
        p.drawRect(left ? QRectF(10, 8, 7, 4) : QRectF(3, 8, 7, 4));
    }
    return QIcon(pixmap);
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// A folder path that fits any width: the middle gives way, the whole path is the tool tip.
class PathLabel : public QLabel {
public:
    explicit PathLabel(QWidget* parent) : QLabel(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = contentsRect();
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideMiddle, r.width()));
    }
};

// The folders from the root down are always open: no expand arrows.
class FolderTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
};

// Runs fn once control returns to the event loop: the lists are rebuilt by what their own
// signals start, which must not happen inside those signals.
template <typename Fn>
void later(QObject* context, Fn fn)
{
    QTimer::singleShot(0, context, fn);
}

}  // namespace

ProjectEditView::ProjectEditView(TEmbedded& app, ControlBinder& binder, QWidget* parent)
    : QFrame(parent), m_app(app)
{
    ControlSet& c = app.controls();
    setObjectName("PEditPan");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildHeading(binder));

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    outer->addWidget(body, 1);

    // Project Files | arrows | Source | folder and drive
    grid->addWidget(caption(toQ(c["ProjectFilesLabel"].caption()), body), 0, 0);
    m_projectList = qobject_cast<QListWidget*>(binder.createWidget(c["ProjectListBox"], body));
    m_projectList->installEventFilter(this);
    // Entries carry the file picture the Source list shows, so both lists read alike.
    QPointer<QListWidget> list(m_projectList);
    binder.watch(c["ProjectListBox"], [list] {
        if (!list)
            return;
        const QIcon& file = standardicons::icon(QStyle::SP_FileIcon);
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setIcon(file);
    });
    grid->addWidget(m_projectList, 1, 0, 2, 1);
    grid->addWidget(buildImageButtons(binder), 1, 1, 2, 1);

    grid->addWidget(caption(toQ(c["SourceLabel"].caption()), body), 0, 2);
    m_fileList = new QListWidget(body);
    m_fileList->setObjectName("FileListBox1");
    m_fileList->installEventFilter(this);
    grid->addWidget(m_fileList, 1, 2, 2, 1);

    auto* srcDir = new PathLabel(body);
    srcDir->setObjectName("SrcDir");
    grid->addWidget(srcDir, 0, 3);
    m_driveBox = new QComboBox(body);
    m_driveBox->setObjectName("DriveComboBox1");
    grid->addWidget(m_driveBox, 1, 3);
    m_dirList = new FolderTree(body);
    m_dirList->setObjectName("DirectoryListBox1");
    m_dirList->setHeaderHidden(true);
    m_dirList->setRootIsDecorated(false);
    m_dirList->setIndentation(14);
    m_dirList->setItemsExpandable(false);
    grid->addWidget(m_dirList, 2, 3);

    Control& trans = c["Trans"];
    grid->addWidget(binder.createWidget(trans, body), 3, 2);

    auto* buttons = new QHBoxLayout;
    for (const char* name : {"PAddBtn", "PRemoveBtn", "AddNote"})
        buttons->addWidget(binder.createWidget(c[name], body));
    buttons->addStretch(1);
    for (const char* name : {"EditOK", "EditCancel", "EditHelp"})
        buttons->addWidget(binder.createWidget(c[name], body));
    grid->addLayout(buttons, 4, 0, 1, 4);

    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 3);
    grid->setRowStretch(2, 1);

    // State from the core.
    QPointer<QLabel> dirLabel(srcDir);
    Control& dir = c["SrcDir"];
    binder.watch(dir, [dirLabel, &dir] {
        if (!dirLabel)
            return;
        dirLabel->setText(toQ(dir.caption()));
        dirLabel->setToolTip(toQ(dir.caption()));
    });
    // A hidden panel fills its lists when it is next shown, not on every change.
    binder.watch(c["FileListBox1"], [this] { whenShown(&ProjectEditView::showFileRows); });
    binder.watch(c["DirectoryListBox1"], [this] { whenShown(&ProjectEditView::showDirRows); });
    binder.watch(c["DriveComboBox1"], [this] { whenShown(&ProjectEditView::showDrives); });
    Control& panel = c["PEditPan"];
    QPointer<ProjectEditView> self(this);
    binder.watch(panel, [self, &panel] {
        if (!self)
            return;
        self->setVisible(panel.visible());
        if (panel.visible())
            self->raise();
    });

    // User events back to the core.
    SourceBrowser& browser = app.projectEdit().browser();
    connect(m_fileList, &QListWidget::currentRowChanged, this, [&browser](int row) { browser.selectFile(row); });
    connect(m_fileList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = m_fileList->row(item);
        later(this, [this, row] { m_app.projectEdit().fileListEnter(row); });
    });
    connect(m_dirList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const int row = item->data(0, Qt::UserRole).toInt();
        later(this, [this, row] { m_app.projectEdit().browser().openDirRow(row); });
    });
    connect(m_driveBox, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        later(this, [this, index] {
            m_app.projectEdit().browser().chooseDrive(index);
            showDrives();  // a drive without a disk leaves the box on the drive still shown
        });
    });
}

QWidget* ProjectEditView::buildHeading(ControlBinder& binder)
{
    ControlSet& c = m_app.controls();
    auto* band = new QFrame(this);
    band->setObjectName("EditHeadingBand");
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    band->setPalette(pal);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(12, 8, 12, 8);
    auto* heading = qobject_cast<QLabel*>(binder.createWidget(c["EditHeading"], band));
    auto* name = qobject_cast<QLabel*>(binder.createWidget(c["ProjectName"], band));
    for (QLabel* label : {heading, name}) {
        QFont f = label->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.25);
        label->setFont(f);
        label->setPalette(pal);
    }
    QFont light = name->font();
    light.setBold(false);
    name->setFont(light);
    row->addWidget(heading);
    row->addSpacing(10);
    row->addWidget(name, 1);
    return band;
}

QWidget* ProjectEditView::buildImageButtons(ControlBinder& binder)
{
    ControlSet& c = m_app.controls();
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addStretch(1);
    const QColor colour = palette().color(QPalette::ButtonText);
    const struct {
        const char* name;
        bool left;
        bool twice;
        int gapAfter;
    } buttons[] = {
        {"SpeedButton1", true, false, 0},
        {"SpeedButton2", false, false, 12},
        {"SpeedButton3", true, true, 0},
        {"SpeedButton4", false, true, 0},
    };
    for (const auto& b : buttons) {
        Control& control = c[b.name];
        auto* button = qobject_cast<QPushButton*>(binder.createWidget(control, column));
        button->setIcon(arrowIcon(b.left, b.twice, colour));
        button->setIconSize(QSize(20, 20));
        button->setFixedSize(34, 30);
        button->setToolTip(toQ(control.hint));
        button->setAccessibleName(toQ(control.hint));
        layout->addWidget(button);
        if (b.gapAfter)
            layout->addSpacing(b.gapAfter);
    }
    layout->addStretch(1);
    return column;
}

void ProjectEditView::whenShown(void (ProjectEditView::*fill)())
{
    if (isVisible())
        (this->*fill)();
    else
        m_stale = true;
}

void ProjectEditView::showEvent(QShowEvent* event)
{
    if (std::exchange(m_stale, false)) {
        showFileRows();
        showDirRows();
        showDrives();
    }
    QFrame::showEvent(event);
}

void ProjectEditView::showFileRows()
{
    const SourceBrowser& browser = m_app.projectEdit().browser();
    const QSignalBlocker block(m_fileList);
    m_fileList->clear();
    const QIcon& folder = standardicons::icon(QStyle::SP_DirIcon);
    const QIcon& file = standardicons::icon(QStyle::SP_FileIcon);
    for (const SourceBrowser::FileRow& row : browser.fileRows())
        m_fileList->addItem(new QListWidgetItem(row.folder ? folder : file, toQ(row.name)));
    m_fileList->setCurrentRow(browser.selectedFile());
}

void ProjectEditView::showDirRows()
{
    const SourceBrowser& browser = m_app.projectEdit().browser();
    const QSignalBlocker block(m_dirList);
    m_dirList->clear();
    const QIcon& open = standardicons::icon(QStyle::SP_DirOpenIcon);
    const QIcon& closed = standardicons::icon(QStyle::SP_DirIcon);
    std::vector<QTreeWidgetItem*> parents;
    const auto& rows = browser.dirRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SourceBrowser::DirRow& row = rows[i];
        parents.resize(static_cast<std::size_t>(row.level));
        auto* item = parents.empty() ? new QTreeWidgetItem(m_dirList) : new QTreeWidgetItem(parents.back());
        item->setText(0, toQ(row.name));
        item->setIcon(0, row.open ? open : closed);
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setToolTip(0, toQ(row.path));
        if (static_cast<int>(i) == browser.currentDirRow()) {
            QFont f = item->font(0);
            f.setBold(true);
            item->setFont(0, f);
            m_dirList->setCurrentItem(item);
        }
        parents.push_back(item);
    }
    m_dirList->expandAll();
    if (QTreeWidgetItem* current = m_dirList->currentItem())
        m_dirList->scrollToItem(current);
}

void ProjectEditView::showDrives()
{
    const SourceBrowser& browser = m_app.projectEdit().browser();
    const Control& box = m_app.controls()["DriveComboBox1"];
    const QSignalBlocker block(m_driveBox);
    m_driveBox->clear();
    const auto& drives = browser.drives();
    for (std::size_t i = 0; i < box.items().size(); ++i) {
        const bool ready = i < drives.size() && drives[i].ready;
        m_driveBox->addItem(standardicons::icon(ready ? QStyle::SP_DriveHDIcon : QStyle::SP_DriveFDIcon),
                            toQ(box.items()[i]));
    }
    m_driveBox->setCurrentIndex(box.itemIndex());
}

bool ProjectEditView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    ProjectEditPanel& panel = m_app.projectEdit();
    if (watched == m_fileList && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        const int row = m_fileList->currentRow();
        later(this, [&panel, row] { panel.fileListEnter(row); });
        return true;
    }
    if (watched == m_projectList && key == Qt::Key_Delete) {
        panel.projectListDelete(m_projectList->currentRow());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
