#pragma once
// The built-in help window: a window of its own with contents, index and search beside the
// page, and back/forward through the pages seen. It shows a help book's pages and decides
// nothing about them.
#include <QTextBrowser>
#include <QWidget>
#include <memory>

#include "components/help_book.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;

class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(QWidget* parent) : QTextBrowser(parent) {}
    void setBook(const HelpBook* book) { m_book = book; }
    QVariant loadResource(int type, const QUrl& name) override;

private:
    const HelpBook* m_book = nullptr;
};

class HelpWindow : public QWidget {
public:
    enum Tab { ContentsTab, IndexTab, SearchTab };

    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // The book whose pages the window shows; a book of another folder replaces the one shown.
    void setBook(std::unique_ptr<HelpBook> book);
    const HelpBook* book() const { return m_book.get(); }

    void showTopic(long topic);
    void showContents();
    void showIndex(const QString& keyword);
    void search(const QString& words);
    // Brings the window up (or back) without creating another.
    void present();

    HelpBrowser* browser() const { return m_browser; }
    QTabWidget* tabs() const { return m_tabs; }
    QTreeWidget* contentsTree() const { return m_contents; }
    QLineEdit* indexField() const { return m_indexField; }
    QListWidget* indexList() const { return m_indexList; }
    QLineEdit* searchField() const { return m_searchField; }
    QListWidget* searchResults() const { return m_results; }

private:
    void buildContents();
    void buildIndex();
    void filterIndex(const QString& text);
    // Marks the page shown in the contents (the item already marked when it is one of its entries).
    void followInContents(const QUrl& source);
    void open(const QString& target);
    void searchNow();

    std::unique_ptr<HelpBook> m_book;
    HelpBrowser* m_browser = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_indexField = nullptr;
    QListWidget* m_indexList = nullptr;
    QLineEdit* m_searchField = nullptr;
    QListWidget* m_results = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QString m_lastSearch;
};
