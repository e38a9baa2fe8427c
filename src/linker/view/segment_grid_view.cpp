#include "linker/view/segment_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "linker/command_file_editor.h"
#include "platform/qt/qt_text.h"

namespace {

// Table rows lie one below the core's rows: the core's row 0 is the header.
constexpr int HeadingRows = 1;

class SegmentCellDelegate : public QStyledItemDelegate {
public:
    SegmentCellDelegate(TCommandFileEd& editor, QObject* parent) : QStyledItemDelegate(parent), m_editor(editor) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_editor.SegmentListGetEditText(index.column(), index.row() + HeadingRows);
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    // The core decides what the cell holds; the table follows it.
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_editor.SegmentListSetEditText(index.column(), index.row() + HeadingRows, fromQ(line->text()));
    }

private:
    TCommandFileEd& m_editor;
};

}  // namespace

SegmentGridView::SegmentGridView(TCommandFileEd& editor, QWidget* parent) : QTableWidget(parent), m_editor(editor)
{
    setObjectName("SegmentList");
    setColumnCount(2);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setTabKeyNavigation(false);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    setColumnWidth(1, 76);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* delegate = new SegmentCellDelegate(editor, this);
    setItemDelegate(delegate);
    // Enter in the cell being edited ends in-place editing, as Enter in the grid does.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    m_editor.SegmentListKeyPress('\r');
            });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!m_refreshing && row >= 0)
            m_editor.SegmentList().setRow(row + HeadingRows);
    });
    editor.SegmentList().onChange([this] { refresh(); });
    refresh();
}

SegmentGridView::~SegmentGridView()
{
    m_editor.SegmentList().onChange(nullptr);
}

void SegmentGridView::refresh()
{
    const SegmentGrid& grid = m_editor.SegmentList();
    m_refreshing = true;
    setHorizontalHeaderLabels({toQ(grid.cell(0, 0)), toQ(grid.cell(1, 0))});
    setRowCount(grid.rowCount() - HeadingRows);
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(row, column, cell);
            }
            const QString text = toQ(grid.cell(column, row + HeadingRows));
            if (cell->text() != text)
                cell->setText(text);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (grid.cellEditable(column, row + HeadingRows))
                flags |= Qt::ItemIsEditable;
            cell->setFlags(flags);
        }
    }
    setEditTriggers(grid.editing() ? DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked
                                   : NoEditTriggers);
    const int current = grid.row() - HeadingRows;
    if (currentRow() != current)
        setCurrentCell(current, currentColumn() < 0 ? 0 : currentColumn());
    m_refreshing = false;
}

void SegmentGridView::keyPressEvent(QKeyEvent* event)
{
    // Enter in an open cell editor also arrives here, before its text is taken over; the
    // editor's closing ends in-place editing then.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState) {
        m_editor.SegmentListKeyPress('\r');
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
