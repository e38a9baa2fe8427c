#include "project/view/project_list_panel.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "platform/qt/qt_text.h"

namespace {

// The entries of a list control as rows. Every row is as wide as the widest, so the view can
// lay them out without asking each one.
class LinesModel : public QAbstractListModel {
public:
    LinesModel(const Control& lines, QObject* parent) : QAbstractListModel(parent), m_lines(lines) {}

    void reload(const QFontMetrics& metrics)
    {
        beginResetModel();
        m_rowSize = QSize(widest(metrics) + 8, metrics.height() + 2);
        endResetModel();
    }
    int rowWidth() const { return m_rowSize.width(); }
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_lines.entries().size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto& rows = m_lines.entries();
        if (!index.isValid() || index.row() >= static_cast<int>(rows.size()))
            return {};
        if (role == Qt::DisplayRole)
            return toQ(rows[static_cast<std::size_t>(index.row())]);
        if (role == Qt::SizeHintRole)
            return m_rowSize;
        return {};
    }

private:
    // In a proportional font the longest texts are the widest, near enough: measure a few.
    int widest(const QFontMetrics& metrics) const
    {
        std::vector<const std::string*> rows;
        for (const std::string& row : m_lines.entries())
            rows.push_back(&row);
        const std::size_t few = std::min<std::size_t>(rows.size(), 16);
        std::partial_sort(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(few), rows.end(),
                          [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
        int width = 0;
        for (std::size_t i = 0; i < few; ++i)
            width = std::max(width, metrics.horizontalAdvance(toQ(*rows[i])));
        return width;
    }

    const Control& m_lines;
    QSize m_rowSize;
};

}  // namespace

ProjectListPanel::ProjectListPanel(TEmbedded& app, ControlBinder& binder, QWidget* parent)
    : QFrame(parent), m_memo(new QListView(this))
{
    ControlSet& c = app.controls();
    setObjectName("OptionPanel");
    setFixedWidth(Width);
    window()->installEventFilter(this);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto* title = qobject_cast<QLabel*>(binder.createWidget(c["ProjectListTitle"], this));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    Control& lines = c["Memo2"];
    auto* model = new LinesModel(lines, m_memo);
    m_rowWidth = [model] { return model->rowWidth(); };
    m_memo->setObjectName("Memo2");
    m_memo->setModel(model);
    m_memo->setUniformItemSizes(true);
    m_memo->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_memo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_memo->setTextElideMode(Qt::ElideNone);
    // The labels line up their colons with blanks, as set in a proportional font.
    QFont small = m_memo->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_memo->setFont(small);
    m_memo->installEventFilter(this);
    layout->addWidget(m_memo, 1);

    QPointer<QListView> memo(m_memo);
    QPointer<ProjectListPanel> panelView(this);
    binder.watch(lines, [memo, model, panelView] {
        if (!memo)
            return;
        model->reload(memo->fontMetrics());
        if (panelView)
            panelView->fitWidth();
    });
    Control& panel = c["OptionPanel"];
    QPointer<ProjectListPanel> self(this);
    binder.watch(panel, [self, &panel] {
        if (self)
            self->setVisible(panel.visible());
    });
}

QString ProjectListPanel::text() const
{
    QStringList rows;
    const QAbstractItemModel* model = m_memo->model();
    for (int i = 0; i < model->rowCount(); ++i)
        rows << model->index(i, 0).data().toString();
    return rows.join('\n');
}

void ProjectListPanel::fitWidth()
{
    const int scrollBar = m_memo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_memo);
    const QMargins margins = layout()->contentsMargins();
    const int wanted = m_rowWidth() + 2 * m_memo->frameWidth() + scrollBar + margins.left() + margins.right() +
                       2 * frameWidth();
    // Beyond a third of the main window the rows scroll sideways instead.
    const int limit = std::max(Width, window()->width() / 3);
    setFixedWidth(std::clamp(wanted, Width, limit));
}

bool ProjectListPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && event->type() == QEvent::Resize)
        fitWidth();
    if (watched == m_memo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QModelIndexList picked = m_memo->selectionModel()->selectedRows();
        std::sort(picked.begin(), picked.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        QStringList rows;
        for (const QModelIndex& index : picked)
            rows << index.data().toString();
        QApplication::clipboard()->setText(rows.join('\n'));
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
