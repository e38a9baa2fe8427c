#pragma once
// "Memory Usage": a dock of bars, one per address range of the last linked build, the ROM and
// RAM totals with their change since the build before, the linker's problems, and the symbols.
#include <QDockWidget>
#include <memory>

#include "linker/memory_watch.h"

class ControlBinder;
class MemorySymbolModel;
class QLabel;
class QLineEdit;
class QMainWindow;
class QScrollArea;
class QSplitter;
class QSortFilterProxyModel;
class QTableView;
class QVBoxLayout;
class TEmbedded;

class MemoryUsageDock : public QDockWidget
{
public:
    explicit MemoryUsageDock(TEmbedded& app, QWidget* parent = nullptr);
    MemoryUsageDock(TEmbedded& app, std::unique_ptr<MemoryWatch> watch, QWidget* parent = nullptr);
    ~MemoryUsageDock() override;

    MemoryWatch& watch() { return *m_watch; }
    QTableView* symbolTable() const { return m_table; }
    QSortFilterProxyModel* symbolProxy() const { return m_proxy; }

    // Once, when first shown in its place: wide enough for the symbols' numbers.
    void fitWidth();

    // Change shown as "+123 bytes", growth red and shrinking green.
    static QString changeText(const std::optional<long>& change);

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void refresh();
    void symbolActivated(const QModelIndex& index);

    std::unique_ptr<MemoryWatch> m_watch;
    ControlBinder* m_binder;
    QSplitter* m_splitter;
    QScrollArea* m_scroll;
    QLabel* m_status;
    QLabel* m_rom;
    QLabel* m_ram;
    QWidget* m_bars;
    QVBoxLayout* m_barLayout;
    QLabel* m_problems;
    QLineEdit* m_filter;
    MemorySymbolModel* m_symbols;
    QSortFilterProxyModel* m_proxy;
    QTableView* m_table;
    QLabel* m_message;
    bool m_sized = false;
};

MemoryUsageDock* installMemoryUsageView(TEmbedded& app, QMainWindow& window);
// As above, but the panel is built when the user first shows it.
void installMemoryUsageViewOnFirstUse(TEmbedded& app, QMainWindow& window);
