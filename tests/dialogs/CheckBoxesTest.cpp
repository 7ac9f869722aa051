#include "dialogs/CheckBoxes.h"
#include "common/TestUtils.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(CheckGroupBox, ContentsEnabledOnlyWhileChecked)
{
    TCheckGroupBox box(QStringLiteral("Mount CD drive:"));
    auto *layout = new QVBoxLayout(&box);
    auto *edit = new QLineEdit(&box);
    auto *combo = new QComboBox(&box);
    layout->addWidget(edit);
    layout->addWidget(combo);

    box.setChecked(false);
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_TRUE(box.isEnabled());

    box.setChecked(true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(combo->isEnabled());

    // A control enabled by hand while unchecked is disabled again.
    box.setChecked(false);
    edit->setEnabled(true);
    box.Invalidate();
    EXPECT_FALSE(edit->isEnabled());

    // A control added while unchecked starts disabled.
    auto *late = new QLineEdit(&box);
    layout->addWidget(late);
    EXPECT_FALSE(late->isEnabled());

    box.setCaption(QStringLiteral("Other"));
    EXPECT_EQ(box.Caption(), QStringLiteral("Other"));
}

TEST(CheckGroupBox, ClickTogglesAndReports)
{
    TCheckGroupBox box(QStringLiteral("Mount CD drive:"));
    auto *edit = new QLineEdit(&box);
    new QVBoxLayout(&box);
    box.layout()->addWidget(edit);
    box.setChecked(true);
    box.resize(300, 100);
    box.show();
    int clicks = 0;
    bool stateAtClick = true;
    box.setOnCheckClick([&] {
        ++clicks;
        stateAtClick = box.Checked();
    });
    // Click the title's check box.
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.subControls = QStyle::SC_GroupBoxCheckBox | QStyle::SC_GroupBoxLabel;
    option.text = box.title();
    option.features = QStyleOptionFrame::None;
    const QRect check = box.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                    QStyle::SC_GroupBoxCheckBox, &box);
    QTest::mouseClick(&box, Qt::LeftButton, {}, check.center());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(stateAtClick);
    EXPECT_FALSE(edit->isEnabled());
    // Setting the state in code is no click.
    box.setChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->isEnabled());
}
