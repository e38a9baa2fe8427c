#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "app/view/page_form.h"
#include "app/view/page_set_view.h"
#include "build/view/build_output_view.h"
#include "editor/editor_windows.h"
#include "tools/view/tools_views.h"
#include "support/app_fixture.h"

namespace {

const char* const kPageSets[] = {"OptionsTabs", "LinkerTabs", "ToolsPan"};

struct PageLayoutTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(), f.start());
    MainWindow window{app};

    PageSetView* pages(const char* name) { return static_cast<PageSetView*>(window.pageWidget(name)); }

    // Shows one tab of a page set with every control on it visible, hidden ones included, so
    // that the layout is checked in its fullest state.
    QWidget* showTab(const char* pageSet, int tab)
    {
        Control& set = app.controls()[pageSet];
        const std::string caption = set.items()[static_cast<std::size_t>(tab)];
        set.setTabVisible(caption, true);
        for (Control* c : app.controls().onPage(pageSet, caption))
            c->setVisible(true);
        set.setVisible(true);
        set.showTab(caption);
        QWidget* page = pages(pageSet)->widget(tab);
        settle();
        return page;
    }
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    void resize(int width, int height)
    {
        window.resize(width, height);
        window.show();
        settle();
    }
};

// The widgets that show controls: the form's own (fields, boxes, labels) and the page buttons.
std::vector<QWidget*> controlWidgets(PageSetView* set, int tab)
{
    std::vector<QWidget*> out;
    QWidget* page = set->widget(tab);
    PageForm* form = set->form(tab);
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const bool onForm = w->parentWidget() && w->parentWidget()->parentWidget() == form;
        const bool pageButton = w->parentWidget() == page && !qobject_cast<QScrollArea*>(w);
        if ((onForm || pageButton) && w->isVisibleTo(page))
            out.push_back(w);
    }
    return out;
}

QRect rectIn(QWidget* w, QWidget* ancestor)
{
    return QRect(w->mapTo(ancestor, QPoint(0, 0)), w->size());
}

QString describe(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return "label \"" + label->text() + "\"";
    return w->metaObject()->className() + QString(" ") + w->objectName();
}

TEST_F(PageLayoutTest, NoControlsOverlapAndNoPageIsWiderThanItsLimitOnAWideScreen)
{
    resize(1920, 1080);
    for (const char* name : kPageSets) {
        PageSetView* set = pages(name);
        const int limit = app.controls()[name].layout.maxWidth;
        ASSERT_GT(limit, 0) << name;
        for (int tab = 0; tab < set->count(); ++tab) {
            QWidget* page = showTab(name, tab);
            ASSERT_GT(page->width(), 1500) << name;
            PageForm* form = set->form(tab);
            EXPECT_LE(form->width(), limit) << name << " " << tab;
            const std::vector<QWidget*> widgets = controlWidgets(set, tab);
            ASSERT_GT(widgets.size(), 2u);
            for (std::size_t i = 0; i < widgets.size(); ++i) {
                const QRect r = rectIn(widgets[i], page);
                EXPECT_TRUE(page->rect().contains(r)) << describe(widgets[i]).toStdString() << " " << name;
                if (widgets[i]->parentWidget() != page) {
                    const QRect onForm = rectIn(widgets[i], form);
                    EXPECT_LE(onForm.right(), limit) << describe(widgets[i]).toStdString();
                }
                for (std::size_t j = i + 1; j < widgets.size(); ++j)
                    EXPECT_FALSE(r.intersects(rectIn(widgets[j], page)))
                        << name << ": " << describe(widgets[i]).toStdString() << " overlaps "
                        << describe(widgets[j]).toStdString();
            }
        }
        app.controls()[name].setVisible(false);
    }
}

TEST_F(PageLayoutTest, EveryControlCanBeReachedOnASmallScreen)
{
    resize(1024, 600);
    for (const char* name : kPageSets) {
        PageSetView* set = pages(name);
        for (int tab = 0; tab < set->count(); ++tab) {
            QWidget* page = showTab(name, tab);
            QScrollArea* scroll = set->scrollArea(tab);
            for (QWidget* w : controlWidgets(set, tab)) {
                if (w->parentWidget() == page) {
                    // Page buttons stay in view, below the scrolled part.
                    EXPECT_TRUE(page->rect().contains(rectIn(w, page))) << describe(w).toStdString();
                    continue;
                }
                scroll->ensureWidgetVisible(w, 0, 0);
                settle();
                const QRect shown = rectIn(w, scroll->viewport());
                EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
                    << name << " tab " << tab << ": " << describe(w).toStdString();
            }
        }
        app.controls()[name].setVisible(false);
    }
}

// With the Build Output panel docked below a page set and an editor window open behind it, the
// window must still fit a 1024 by 600 screen: a minimum taller than the screen makes the window
// manager push the status bar and the page buttons off it.
TEST_F(PageLayoutTest, PageSetsAndTheBuildOutputPanelFitASmallScreenTogether)
{
    installToolsViews(app, window);
    QDockWidget* dock = installBuildOutputView(app, window, nullptr);
    resize(1024, 600);
    app.editors().create();
    dock->show();
    // Texts as long as a failed build writes there; wrapped labels ask for their height.
    const QString text = "Exit status 1 after 20 ms. C:\\Tarnel\\Source\\aout.a25 was not made. icc78300 ended "
                         "with exit status 1, and 1 more program failed.";
    for (QLabel* label : dock->findChildren<QLabel*>()) {
        label->setText(text);
        label->show();
    }
    settle();
    for (const char* name : kPageSets) {
        PageSetView* set = pages(name);
        for (int tab = 0; tab < set->count(); ++tab) {
            showTab(name, tab);
            EXPECT_LE(window.minimumSizeHint().height(), 560)
                << name << " tab " << tab << ": window " << window.minimumSizeHint().height() << ", page set "
                << set->minimumSizeHint().height() << ", panel " << dock->minimumSizeHint().height();
        }
        app.controls()[name].setVisible(false);
    }
}

TEST_F(PageLayoutTest, SubOptionsStandIndentedUnderTheBoxThatEnablesThem)
{
    resize(1920, 1080);
    struct Case {
        const char* pageSet;
        int tab;
        const char* box;
        std::vector<const char*> under;
    };
    const Case cases[] = {
        {"OptionsTabs", 3, "GCR", {"GCR1", "GCR2", "GCR3", "GCR4"}},
        {"OptionsTabs", 0, "Strict", {"Syntax", "ANSI"}},
        {"LinkerTabs", 2, "Crossref", {"LCR1", "LCR2", "LCR3", "LCR4", "SLPP"}},
    };
    for (const Case& c : cases) {
        QWidget* page = showTab(c.pageSet, c.tab);
        auto at = [&](const char* n) { return rectIn(page->findChild<QWidget*>(n), page); };
        const QRect box = at(c.box);
        int below = box.bottom();
        for (const char* n : c.under) {
            const QRect r = at(n);
            EXPECT_GT(r.left(), box.left() + 10) << n;
            EXPECT_EQ(r.left(), at(c.under.front()).left()) << n;
            EXPECT_GT(r.top(), below) << n;
            EXPECT_LT(r.top(), below + 2 * box.height()) << n << " follows directly";
            below = r.bottom();
        }
    }
}

TEST_F(PageLayoutTest, FieldsStandBesideTheirBoxesAndAreAsWideAsTheirContents)
{
    resize(1920, 1080);
    struct Case {
        const char* pageSet;
        int tab;
        const char* lead;
        const char* field;
        int minWidth, maxWidth;  // of the field
    };
    const Case cases[] = {
        {"OptionsTabs", 3, "LPP", "Lines", 30, 100},          // four hex digits
        {"OptionsTabs", 4, "NameObj", "ObjectFile", 300, 900}, // a path
        {"OptionsTabs", 4, "ASSMB", "AssemblerFile", 300, 900},
        {"OptionsTabs", 0, "COMM", "commandfile", 150, 900},
        {"OptionsTabs", 1, "SSN", "Segname", 60, 200},
        {"LinkerTabs", 2, "SLPP", "LinkLPP", 30, 100},
        {"LinkerTabs", 0, "Linkop", "LinkFile", 300, 900},
        {"LinkerTabs", 3, "Uselnkcmd", "LinkerCmdfile", 300, 900},
        {"LinkerTabs", 3, "RFMsg", "PRBox", 40, 150},
    };
    for (const Case& c : cases) {
        QWidget* page = showTab(c.pageSet, c.tab);
        QWidget* lead = page->findChild<QWidget*>(c.lead);
        QWidget* field = page->findChild<QWidget*>(c.field);
        ASSERT_TRUE(lead && field) << c.field;
        const QRect l = rectIn(lead, page);
        const QRect r = rectIn(field, page);
        EXPECT_GT(r.left(), l.right()) << c.field;
        EXPECT_TRUE(r.top() <= l.center().y() && l.center().y() <= r.bottom()) << c.field << " on its box's row";
        EXPECT_GE(r.width(), c.minWidth) << c.field;
        EXPECT_LE(r.width(), c.maxWidth) << c.field;
    }
    // A browse button stands at the end of its path field.
    QWidget* page = showTab("OptionsTabs", 4);
    const QRect path = rectIn(page->findChild<QWidget*>("AssemblerFile"), page);
    const QRect browse = rectIn(page->findChild<QWidget*>("AsmBrowse"), page);
    EXPECT_GT(browse.left(), path.right());
    EXPECT_LT(browse.left(), path.right() + 12);
    EXPECT_LT(browse.width(), 50);
}

}  // namespace
