#include "controls/imagebutton/general.h"
#include "controls/imagebutton/hoverbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace zelkora::controls;

namespace {

class GeneralTest : public ::testing::Test {
protected:
    void SetUp() override {
        first.setMousePointer(HoverButton::Hourglass);
        second.setMousePointer(HoverButton::Crosshair);
        text = page.findChild<QLineEdit*>(QStringLiteral("txtMousePointer"));
        ASSERT_NE(text, nullptr);
    }

    void edit(const QString& value) {
        text->selectAll();
        text->del();
        QTest::keyClicks(text, value);
    }

    HoverButton first;
    HoverButton second;
    General page;
    QLineEdit* text = nullptr;
};

TEST_F(GeneralTest, ShowsTheMousePointerOfTheFirstSelectedControl) {
    auto* label = page.findChild<QLabel*>(QStringLiteral("lblMousePointer"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("MousePointer:"));
    EXPECT_EQ(label->buddy(), text);

    page.setSelectedControls({&first, &second});
    EXPECT_EQ(text->text(), QStringLiteral("11"));
    EXPECT_FALSE(page.isChanged());
    page.setSelectedControls({&second, &first});
    EXPECT_EQ(text->text(), QStringLiteral("2"));
}

TEST_F(GeneralTest, EditingMarksChangedAndApplyingSetsTheFirstControl) {
    page.setSelectedControls({&first, &second});
    QSignalSpy changed(&page, &General::changedChanged);
    edit(QStringLiteral("99"));
    EXPECT_TRUE(page.isChanged());
    EXPECT_EQ(changed.count(), 1);

    QSignalSpy persisted(&first, &HoverButton::propertyChanged);
    ASSERT_TRUE(page.applyChanges());
    EXPECT_EQ(first.mousePointer(), 99);
    EXPECT_EQ(second.mousePointer(), int(HoverButton::Crosshair));
    EXPECT_FALSE(page.isChanged());
    ASSERT_EQ(persisted.count(), 1);
    EXPECT_EQ(persisted.first().at(0).toString(), QStringLiteral("MousePointer"));
}

TEST_F(GeneralTest, TextThatIsNoMousePointerIsNotApplied) {
    struct Case {
        const char* typed;
        const char* shown; // what the validated box holds
    };
    const std::vector<Case> cases = {
        {"50", "50"},       // a number, but no pointer
        {"-1", "-1"},       // likewise
        {"", ""},           // nothing typed
        {"abc", ""},        // letters never reach the box
        {"70000", "70000"}, // beyond 16 bits
    };
    page.setSelectedControls({&first});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        edit(QString::fromLatin1(c.typed));
        EXPECT_EQ(text->text(), QString::fromLatin1(c.shown));
        EXPECT_FALSE(page.applyChanges());
        EXPECT_EQ(first.mousePointer(), int(HoverButton::Hourglass));
    }
}

TEST_F(GeneralTest, NoSelectionDisablesTheBox) {
    page.setSelectedControls({});
    EXPECT_FALSE(text->isEnabled());
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_FALSE(page.applyChanges());
}

TEST_F(GeneralTest, AppliedValueGoesThroughThePropertyWriter) {
    QObject* written = nullptr;
    QVariant value;
    page.setPropertyWriter([&](QObject* control, const char* name, const QVariant& v) {
        EXPECT_STREQ(name, "MousePointer");
        written = control;
        value = v;
    });
    page.setSelectedControls({&second});
    edit(QStringLiteral("3"));
    ASSERT_TRUE(page.applyChanges());
    EXPECT_EQ(written, &second);
    EXPECT_EQ(value.toInt(), 3);
    EXPECT_EQ(second.mousePointer(), int(HoverButton::Crosshair)); // the writer decides
}

TEST_F(GeneralTest, ADestroyedControlIsDroppedFromTheSelection) {
    auto temporary = std::make_unique<HoverButton>();
    page.setSelectedControls({temporary.get(), &first});
    temporary.reset();
    EXPECT_EQ(page.selectedControls(), QList<QObject*>{&first});
    edit(QStringLiteral("1"));
    ASSERT_TRUE(page.applyChanges());
    EXPECT_EQ(first.mousePointer(), int(HoverButton::Arrow));
}

} // namespace
