#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/control_set.h"
#include "app/view/control_binder.h"

namespace {

// A drop-down, a check box and an edit whose handlers write into a second edit, as the core's
// handlers do (the linker's write format picks the command file name).
struct BinderTest : ::testing::Test {
    ControlSet controls;
    Control& combo = controls.add({"Size", ControlKind::ComboBox, "", "", "", {"small", "large"}, "0", ""});
    Control& box = controls.add({"Box", ControlKind::CheckBox, "", "", "Box", {}, "0", ""});
    Control& typed = controls.add({"Typed", ControlKind::Edit, "", "", "", {}, "", ""});
    Control& target = controls.add({"Target", ControlKind::Edit, "", "", "", {}, "old", ""});
    QWidget parent;
    ControlBinder binder{controls};

    BinderTest()
    {
        combo.onIndexChange([this] { target.setText("from size " + combo.itemText()); });
        box.onCheckedChange([this] { target.setText(box.checked() ? "box on" : "box off"); });
        typed.onExit([this] { target.setText("typed " + typed.text()); });
    }
    template <typename W>
    W* make(Control& c)
    {
        return static_cast<W*>(binder.createWidget(c, &parent));
    }
};

TEST_F(BinderTest, ControlsChangedByTheCoreDuringAUserEditShowTheirNewState)
{
    auto* sizeBox = make<QComboBox>(combo);
    auto* check = make<QCheckBox>(box);
    auto* typedEdit = make<QLineEdit>(typed);
    auto* targetEdit = make<QLineEdit>(target);
    // Shown or not, every widget follows its control.
    parent.show();
    targetEdit->hide();

    QTest::keyClick(sizeBox, Qt::Key_Down);
    EXPECT_EQ(combo.itemIndex(), 1);
    EXPECT_EQ(targetEdit->text(), "from size large");

    check->click();
    EXPECT_EQ(targetEdit->text(), "box on");

    typedEdit->setFocus();
    QTest::keyClicks(typedEdit, "ab");
    EXPECT_EQ(typed.text(), "ab");
    emit typedEdit->editingFinished();
    EXPECT_EQ(targetEdit->text(), "typed ab");
}

TEST_F(BinderTest, TheEditedFieldShowsWhatTheCoreMadeOfTheTypedText)
{
    typed.onExit({});
    // A core rule that refuses a character: the field shows the control's text, not the keys.
    auto* typedEdit = make<QLineEdit>(typed);
    auto guard = controls.subscribe([this](Control& c, Property) {
        if (&c == &typed && typed.text().find('x') != std::string::npos)
            typed.setText("refused");
    });
    QTest::keyClicks(typedEdit, "ax");
    EXPECT_EQ(typed.text(), "refused");
    EXPECT_EQ(typedEdit->text(), "refused");
    controls.unsubscribe(guard);
}

TEST_F(BinderTest, DropDownItemsAndButtonCaptionsFollowTheirControls)
{
    auto* sizeBox = make<QComboBox>(combo);
    combo.setItems({"tiny", "huge"});  // same count, other texts
    EXPECT_EQ(sizeBox->itemText(0), "tiny");
    EXPECT_EQ(sizeBox->itemText(1), "huge");

    Control& button = controls.add("Button", ControlKind::Button);
    button.setCaption("Add");
    auto* push = make<QPushButton>(button);
    EXPECT_EQ(push->text(), "Add");
    button.setCaption("OK");
    EXPECT_EQ(push->text(), "OK");
}

}  // namespace
