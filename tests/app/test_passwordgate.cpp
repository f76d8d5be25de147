#include "app/core/message.h"
#include "app/core/passwordgate.h"
#include "app/core/programstate.h"
#include "app/gui/passwordwindow.h"
#include "settings/settingsstore.h"
#include "support/scriptedprompter.h"
#include "support/testenv.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace zelkora {
namespace {

const QString kWrongPasswordText = QStringLiteral("Password Incorrect.  Please try again.");

struct GateCase {
    const char* name;
    QString bypass;
    std::optional<QString> answer; // nullopt: Cancel
    bool allowed;
    bool asked;
};

class PasswordGateTest : public ::testing::TestWithParam<GateCase> {};

TEST_P(PasswordGateTest, DecidesAndReportsARefusal) {
    const GateCase& c = GetParam();
    test::ScriptedPrompter prompter;
    int asked = 0;
    const bool allowed = CheckAdminPassword(c.bypass, [&] {
        ++asked;
        return c.answer;
    });

    EXPECT_EQ(allowed, c.allowed);
    EXPECT_EQ(asked, c.asked ? 1 : 0);
    if (c.allowed) {
        EXPECT_TRUE(prompter.messages.isEmpty());
        return;
    }
    ASSERT_EQ(prompter.messages.size(), 1);
    const MessageRequest& shown = prompter.messages.first();
    EXPECT_EQ(shown.text, kWrongPasswordText);
    EXPECT_EQ(shown.title, QStringLiteral("Incorrect Password"));
    EXPECT_EQ(shown.code, MsgOk | MsgInformation);
    EXPECT_TRUE(shown.owned);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordGateTest,
    ::testing::Values(
        GateCase{"RightPassword", QStringLiteral("0"), QStringLiteral("TRVK"), true, true},
        GateCase{"LowerCaseRefused", QStringLiteral("0"), QStringLiteral("trvk"), false, true},
        GateCase{"TrailingBlankRefused", QStringLiteral("0"), QStringLiteral("TRVK "), false, true},
        GateCase{"EmptyRefused", QStringLiteral("0"), QString(), false, true},
        GateCase{"CancelRefused", QStringLiteral("0"), std::nullopt, false, true},
        GateCase{"BypassOne", QStringLiteral("1"), std::nullopt, true, false},
        GateCase{"BypassDoubleZero", QStringLiteral("00"), std::nullopt, true, false},
        GateCase{"BypassZeroWithBlank", QStringLiteral("0 "), std::nullopt, true, false}),
    [](const ::testing::TestParamInfo<GateCase>& row) { return std::string(row.param.name); });

TEST(PasswordGate, KeepsTheEnteredPasswordAndForgetsItOnTheNextAsk) {
    test::ScriptedPrompter prompter;
    programState().enteredPassword = QStringLiteral("left over");
    EXPECT_FALSE(CheckAdminPassword(QStringLiteral("0"), [] { return QStringLiteral("guess"); }));
    EXPECT_EQ(programState().enteredPassword, QStringLiteral("guess"));

    // Cancel leaves the password emptied by the ask, not the previous guess.
    EXPECT_FALSE(CheckAdminPassword(QStringLiteral("0"), [] { return std::optional<QString>(); }));
    EXPECT_TRUE(programState().enteredPassword.isEmpty());

    // Nothing is remembered between guarded actions: the second one asks again.
    int asked = 0;
    const auto right = [&] {
        ++asked;
        return QStringLiteral("TRVK");
    };
    EXPECT_TRUE(CheckAdminPassword(QStringLiteral("0"), right));
    EXPECT_TRUE(CheckAdminPassword(QStringLiteral("0"), right));
    EXPECT_EQ(asked, 2);
}

TEST(PasswordGate, WithoutAnAskerNobodyGetsThrough) {
    test::ScriptedPrompter prompter;
    EXPECT_FALSE(CheckAdminPassword(QStringLiteral("0"), PasswordAsker()));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages.first().text, kWrongPasswordText);
}

// The real window, driven while its modal loop runs.
class PasswordWindowTest : public test::StationTest {
protected:
    // Runs `act` on the password window as soon as it is shown modally.
    void whenShown(std::function<void(PasswordWindow*)> act) {
        auto* poll = new QTimer(qApp);
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, act] {
            auto* window = qobject_cast<PasswordWindow*>(QApplication::activeModalWidget());
            if (!window)
                return;
            poll->deleteLater();
            poll->stop();
            ++m_shown;
            act(window);
        });
        poll->start();
    }

    static void press(QWidget* target, int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &up);
    }

    static QLineEdit* text(QWidget* window) {
        return window->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    }

    int m_shown = 0;
    test::ScriptedPrompter m_prompter;
};

TEST_F(PasswordWindowTest, BypassSettingSkipsTheWindow) {
    ASSERT_TRUE(SaveSetting(QStringLiteral("BypassVRAXPassword"), QStringLiteral("00")));
    EXPECT_TRUE(CheckAdminPassword(static_cast<QWidget*>(nullptr)));
    EXPECT_EQ(m_shown, 0);
    EXPECT_TRUE(m_prompter.messages.isEmpty());
}

TEST_F(PasswordWindowTest, EnterInTheTextBoxActsAsOk) {
    QWidget owner;
    owner.show();
    whenShown([&owner](PasswordWindow* window) {
        EXPECT_EQ(window->parentWidget(), &owner);
        EXPECT_TRUE(window->isModal());
        QLineEdit* box = text(window);
        ASSERT_NE(box, nullptr);
        box->setFocus();
        box->setText(QStringLiteral("TRVK"));
        EXPECT_EQ(box->displayText(), QStringLiteral("****"));
        press(box, Qt::Key_Return);
    });
    EXPECT_TRUE(CheckAdminPassword(&owner));
    EXPECT_EQ(m_shown, 1);
    EXPECT_EQ(programState().enteredPassword, QStringLiteral("TRVK"));
    EXPECT_TRUE(m_prompter.messages.isEmpty());
    // Closing stores the window's position.
    EXPECT_FALSE(GetSetting(QStringLiteral("frmPasswordWidth")).isEmpty());
}

TEST_F(PasswordWindowTest, EnterOnCancelStillActsAsOk) {
    whenShown([](PasswordWindow* window) {
        text(window)->setText(QStringLiteral("TRVK"));
        auto* cancel = window->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
        cancel->setFocus();
        press(cancel, Qt::Key_Enter);
    });
    EXPECT_TRUE(CheckAdminPassword(static_cast<QWidget*>(nullptr)));
}

TEST_F(PasswordWindowTest, CancelAndEscapeRefuseWithTheMessage) {
    const std::vector<std::function<void(PasswordWindow*)>> ways = {
        [](PasswordWindow* window) {
            text(window)->setText(QStringLiteral("TRVK"));
            window->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        },
        [](PasswordWindow* window) {
            text(window)->setText(QStringLiteral("TRVK"));
            press(text(window), Qt::Key_Escape);
        },
    };
    for (const auto& way : ways) {
        m_prompter.messages.clear();
        whenShown(way);
        EXPECT_FALSE(CheckAdminPassword(static_cast<QWidget*>(nullptr)));
        EXPECT_TRUE(programState().enteredPassword.isEmpty());
        ASSERT_EQ(m_prompter.messages.size(), 1);
        EXPECT_EQ(m_prompter.messages.first().text, kWrongPasswordText);
    }
}

TEST_F(PasswordWindowTest, WrongPasswordByOkButtonIsRefused) {
    whenShown([](PasswordWindow* window) {
        text(window)->setText(QStringLiteral("trvk"));
        window->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    EXPECT_FALSE(CheckAdminPassword(static_cast<QWidget*>(nullptr)));
    EXPECT_EQ(programState().enteredPassword, QStringLiteral("trvk"));
    ASSERT_EQ(m_prompter.messages.size(), 1);
    EXPECT_EQ(m_prompter.messages.first().title, QStringLiteral("Incorrect Password"));
}

TEST_F(PasswordWindowTest, ControlsCarryTheirNamesCaptionsAndTabOrder) {
    PasswordWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("frmPassword"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Password Required"));
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    auto* cancel = window.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    QLineEdit* box = text(&window);
    ASSERT_TRUE(ok && cancel && box);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    EXPECT_EQ(box->nextInFocusChain(), ok);
    EXPECT_EQ(ok->nextInFocusChain(), cancel);
    EXPECT_FALSE(box->accessibleName().isEmpty());
    EXPECT_EQ(window.property("scaleWidth").toInt(), 5985);
    EXPECT_EQ(window.property("scaleHeight").toInt(), 2970);
}

} // namespace
} // namespace zelkora
