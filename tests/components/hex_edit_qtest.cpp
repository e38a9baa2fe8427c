#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/control_set.h"
#include "components/view/t_hex_edit.h"
#include "components/view/t_spin_button.h"
#include "components/view/t_timer_speed_button.h"
#include "support/qt_runs.h"

namespace {

// A window holding the field and a second field to move the focus to.
class HexEditWindow : public ::testing::Test {
protected:
    void SetUp() override { build(new THexEdit); }

    void build(THexEdit* field)
    {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        edit = field;
        other = new QLineEdit;
        layout->addWidget(edit);
        layout->addWidget(other);
        edit->setBeeper([this] { ++beeps; });
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus(Qt::OtherFocusReason);
    }

    void retype(const QString& keys)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, keys);
    }

    void leaveField() { other->setFocus(Qt::TabFocusReason); }

    std::unique_ptr<QWidget> window;
    THexEdit* edit = nullptr;
    QLineEdit* other = nullptr;
    int beeps = 0;
};

}  // namespace

TEST_F(HexEditWindow, TypedKeysAreFilteredWithABeep)
{
    struct Row {
        bool hex;
        QString keys;
        QString shown;
        int beeps;
    };
    const std::vector<Row> rows = {
        {true, "1g+a", "1a", 2},
        {true, "Ff09", "Ff09", 0},
        {false, "1g+a", "1+", 2},
        {false, "-12.", "-12.", 0},
    };
    for (const auto& r : rows) {
        edit->setHexadecimal(r.hex);
        beeps = 0;
        retype(r.keys);
        EXPECT_EQ(edit->text(), r.shown) << r.keys.toStdString();
        EXPECT_EQ(beeps, r.beeps) << r.keys.toStdString();
    }
}

TEST_F(HexEditWindow, EnterIsRefusedInBothModes)
{
    for (bool hex : {true, false}) {
        edit->setHexadecimal(hex);
        edit->setText("12");
        beeps = 0;
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(edit->text(), "12");
    }
}

TEST_F(HexEditWindow, EditorDisabledRefusesTypingButStillSteps)
{
    edit->setText("0010");
    edit->setEditorEnabled(false);
    edit->setCursorPosition(4);
    QTest::keyClicks(edit, "5a");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(beeps, 3);
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "0010");
    QTest::mouseClick(edit->spinButton()->upButton(), Qt::LeftButton);
    EXPECT_EQ(edit->text(), "0011");
}

TEST_F(HexEditWindow, PasteAndCutOnlyWithAWritableEditor)
{
    QApplication::clipboard()->setText("BEEF");
    edit->setEditorEnabled(false);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "0000");
    EXPECT_EQ(beeps, 0);

    edit->setEditorEnabled(true);
    edit->setReadOnly(true);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "0000");

    edit->setReadOnly(false);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "BEEF");
    EXPECT_EQ(edit->value(), 0xBEEF);
}

TEST_F(HexEditWindow, MaxLengthLimitsTypingNotTheProgram)
{
    edit->setMaxLength(4);
    retype("123456");
    EXPECT_EQ(edit->text(), "1234");
    edit->setHexValue("123456789");
    EXPECT_EQ(edit->text(), "123456789");
}

TEST_F(HexEditWindow, ArrowKeysAndButtonsStep)
{
    edit->setIncrement(2);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), "0002");
    QTest::mouseClick(edit->spinButton()->upButton(), Qt::LeftButton);
    EXPECT_EQ(edit->text(), "0004");
    QTest::mouseClick(edit->spinButton()->downButton(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), "FFFFFFFE");
    EXPECT_EQ(edit->value(), 0);
    EXPECT_EQ(beeps, 0);
}

TEST_F(HexEditWindow, StepsStopAtTheBounds)
{
    edit->setBounds(0, 65335);
    edit->setValue(65335);
    EXPECT_EQ(edit->text(), "FF37");
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), "FF37");
}

TEST_F(HexEditWindow, ReadOnlyStepsOnlyBeep)
{
    edit->setReadOnly(true);
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::mouseClick(edit->spinButton()->downButton(), Qt::LeftButton);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(edit->text(), "0000");
}

TEST_F(HexEditWindow, LeavingBoundsAnOutOfBoundText)
{
    struct Row {
        QString typed, shown;
    };
    edit->setBounds(0, 65335);
    for (const Row& r : std::vector<Row>{{"FFFF", "FF37"}, {"ff", "ff"}, {"1", "1"}}) {
        edit->setFocus(Qt::TabFocusReason);
        retype(r.typed);
        leaveField();
        EXPECT_EQ(edit->text(), r.shown) << r.typed.toStdString();
    }
}

TEST_F(HexEditWindow, ButtonPressKeepsFocusInTheFieldWithoutSelecting)
{
    leaveField();
    QTest::mousePress(edit->spinButton()->upButton(), Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::mouseRelease(edit->spinButton()->upButton(), Qt::LeftButton);
    EXPECT_EQ(edit->text(), "0001");
}

TEST_F(HexEditWindow, EnteringSelectsAllOnlyWithAutoSelect)
{
    leaveField();
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->selectedText(), "0000");
    leaveField();
    edit->setAutoSelect(false);
    edit->deselect();
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(edit->hasSelectedText());
}

TEST_F(HexEditWindow, TextNeverRunsUnderTheButtons)
{
    retype("123456789ABCDEF0123456789ABCDEF0123456789ABCDEF");
    QTest::keyClick(edit, Qt::Key_End);
    edit->repaint();  // the line edit scrolls its text while painting
    const QRect spin = edit->spinButton()->geometry();
    EXPECT_EQ(spin.width(), 15);
    EXPECT_LT(spin.right(), edit->width());
    EXPECT_LT(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(), spin.left());
    EXPECT_EQ(edit->minimumHeight(), edit->minimumFieldHeight());
    edit->resize(120, 3);
    EXPECT_EQ(edit->height(), edit->minimumFieldHeight());
}

TEST_F(HexEditWindow, HoldingTheButtonRepeatsAfter400ThenEvery100Ms)
{
    TTimerSpeedButton* up = edit->spinButton()->upButton();
    EXPECT_EQ(up->repeatTimer(), nullptr);
    QTest::mousePress(up, Qt::LeftButton);
    ASSERT_NE(up->repeatTimer(), nullptr);
    EXPECT_TRUE(up->repeatTimer()->isActive());
    EXPECT_EQ(up->repeatTimer()->interval(), 400);
    // One second held: the timer fires at 400, 500, ..., 1000 ms.
    for (int i = 0; i < 7; ++i)
        up->repeat();
    EXPECT_EQ(up->repeatTimer()->interval(), 100);
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_FALSE(up->repeatTimer()->isActive());
    EXPECT_EQ(edit->value(), 8);
    up->repeat();  // a late tick after the release clicks nothing
    EXPECT_EQ(edit->value(), 8);
}

TEST_F(HexEditWindow, RepeatTimerRunsWhileHeld)
{
    TTimerSpeedButton* down = edit->spinButton()->downButton();
    edit->setBounds(-1000, 1000);
    edit->setHexadecimal(false);
    edit->setValue(0);
    QTest::mousePress(down, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return edit->value() <= -1; }));
    QTest::mouseRelease(down, Qt::LeftButton);
    // At least one repeat and the release; how many more depends on the machine's load.
    EXPECT_LE(edit->value(), -2);
}

TEST(TTimerSpeedButton, WithoutAutoRepeatClicksOnlyOnRelease)
{
    TTimerSpeedButton button;
    button.resize(20, 12);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(button.repeatTimer(), nullptr);
    button.repeat();
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(TSpinButton, HalvesOverlapByOnePixel)
{
    struct Row {
        int width, height;
        QRect up, down;
    };
    const std::vector<Row> rows = {
        {20, 25, {0, 0, 20, 12}, {0, 11, 20, 14}},
        {15, 17, {0, 0, 15, 8}, {0, 7, 15, 10}},
        {5, 10, {0, 0, 15, 5}, {0, 4, 15, 6}},  // never narrower than 15
    };
    TSpinButton spin;
    EXPECT_EQ(spin.size(), QSize(20, 25));
    spin.show();  // a hidden widget is told of its size only when shown
    for (const auto& r : rows) {
        spin.resize(r.width, r.height);
        EXPECT_EQ(spin.upButton()->geometry(), r.up) << r.width << "x" << r.height;
        EXPECT_EQ(spin.downButton()->geometry(), r.down) << r.width << "x" << r.height;
    }
}

TEST(TSpinButton, KeysClickTheFocusedButton)
{
    TSpinButton spin;
    QSignalSpy ups(&spin, &TSpinButton::upClick);
    QSignalSpy downs(&spin, &TSpinButton::downClick);
    QTest::keyClick(&spin, Qt::Key_Space);
    EXPECT_EQ(ups.count(), 1);
    QTest::keyClick(&spin, Qt::Key_Down);
    EXPECT_EQ(spin.focusedButton(), spin.downButton());
    QTest::keyClick(&spin, Qt::Key_Space);
    EXPECT_EQ(downs.count(), 2);
    QTest::keyClick(&spin, Qt::Key_Up);
    EXPECT_EQ(ups.count(), 2);
    EXPECT_EQ(spin.focusedButton(), spin.upButton());
}

TEST(TSpinButton, FocusFrameOnlyWhileThePairHasFocus)
{
    QWidget window;
    auto* spin = new TSpinButton(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    spin->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    EXPECT_FALSE(spin->upButton()->drawFocusFrame());
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_TRUE(spin->downButton()->drawFocusFrame());
    EXPECT_FALSE(spin->upButton()->drawFocusFrame());
    other->setFocus();
    EXPECT_FALSE(spin->downButton()->drawFocusFrame());
}

TEST(THexEditBinding, ShowsTheControlAndSendsEditsBack)
{
    ControlSet controls;
    Control& mem = controls.add("StartMem", ControlKind::Numeric);
    mem.hex().setBounds(0, 65335);
    int textChanges = 0;
    controls.subscribe([&](Control& c, Property p) {
        if (&c == &mem && p == Property::Text)
            ++textChanges;
    });
    int exits = 0;
    mem.onExit([&] { ++exits; });

    QWidget window;
    auto* edit = new THexEdit(controls, mem, &window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    mem.setText("0ABC");
    EXPECT_EQ(edit->text(), "0ABC");
    mem.setEnabled(false);
    EXPECT_FALSE(edit->isEnabled());
    mem.setEnabled(true);

    exits = 0;
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, "ffff");
    EXPECT_EQ(mem.text(), "ffff");
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(mem.text(), "FF37");
    EXPECT_EQ(exits, 1);

    textChanges = 0;
    QTest::mouseClick(edit->spinButton()->downButton(), Qt::LeftButton);
    EXPECT_EQ(mem.text(), "FF36");
    EXPECT_EQ(textChanges, 1);

    mem.hex().setReadOnly(true);
    QTest::keyClicks(edit, "1");
    EXPECT_EQ(mem.text(), "FF36");

    delete edit;
    mem.setText("0001");  // the field is gone and no longer listens
    EXPECT_EQ(mem.text(), "0001");
}

TEST(THexEditBinding, OnlyNumericControls)
{
    ControlSet controls;
    Control& name = controls.add("LinkFile", ControlKind::Edit);
    EXPECT_THROW({ THexEdit edit(controls, name); }, std::invalid_argument);
}

TEST(THexEditBinding, UnbindKeepsTheLastState)
{
    ControlSet controls;
    Control& lines = controls.add("Lines", ControlKind::Numeric);
    lines.setText("0042");
    THexEdit edit(controls, lines);
    edit.unbind();
    lines.setText("0001");
    EXPECT_EQ(edit.text(), "0042");
    EXPECT_EQ(edit.value(), 0x42);
    edit.upStep();
    EXPECT_EQ(edit.text(), "0043");
    EXPECT_EQ(lines.text(), "0001");
}
