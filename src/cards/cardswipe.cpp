#include "cards/cardswipe.h"

#include "app/core/log.h"
#include "app/core/message.h"
#include "app/core/programstate.h"
#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "settings/settingsstore.h"
#include "settings/vraxsettings.h"
#include "util/clock.h"

#include <QDateTime>
#include <QList>

namespace zelkora {

namespace {

constexpr int kLabelTypeCount = cVRAXSettings::kLabelTypeCount;
// The size of Labels' text columns and of qAddLabel's text parameters.
constexpr int kTextSize = 50;

// The first `count` characters as the database counts them (code points), so that a name of two
// 30-character halves still fits a 50-character column instead of failing the check-in.
QString leftCharacters(const QString& text, int count) {
    if (db::CharacterCount(text) <= count)
        return text;
    QList<uint> codePoints = text.toUcs4();
    codePoints.resize(count);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), count);
}

db::Parameter textParameter(const char* name, const QString& value) {
    return {QString::fromLatin1(name), db::ParamVarChar, kTextSize, value};
}

db::Parameters addLabelParameters(int labelIndex, const QString& badgeName, const QString& name,
                                  const QDateTime& logInTime, const QString& cardText) {
    db::Parameters parameters{
        {QStringLiteral("@TypeID"), db::ParamInteger, 4, labelIndex},
        textParameter("@BadgeName", leftCharacters(badgeName, kTextSize)),
        textParameter("@Name", leftCharacters(name, kTextSize)),
        {QStringLiteral("@LogInTime"), db::ParamTimeStamp, 8, logInTime},
        textParameter("@Field1", QString()),
        textParameter("@Field2", QString()),
        textParameter("@Field3", QString()),
        textParameter("@Field4", cardText),
    };
    for (int field = 5; field <= 10; ++field)
        parameters.append(
            {QStringLiteral("@Field") + QString::number(field), db::ParamVarChar, kTextSize, {}});
    return parameters;
}

// The label index of a card row, when it names one of the seven label types.
std::optional<int> labelIndexOf(const QVariant& stored) {
    bool ok = false;
    const int index = stored.toInt(&ok);
    if (stored.isNull() || !ok || index < 0 || index >= kLabelTypeCount)
        return std::nullopt;
    return index;
}

CardSwipeResult invalidCard() {
    programState().cardHolderName.clear();
    return {};
}

CardSwipeResult failed(const StationError& error) {
    programState().cardHolderName.clear();
    WriteLog(QStringLiteral("ProcessCardSwipe failed: ") + QString::number(error.number) +
             QStringLiteral(" ") + error.description + QStringLiteral(" ") + error.source);
    CardSwipeResult result;
    result.outcome = CardSwipeResult::Outcome::DatabaseError;
    result.error = error;
    return result;
}

} // namespace

QString LabelTitleFromSettings(int labelIndex) {
    if (labelIndex < 0 || labelIndex >= kLabelTypeCount)
        return {};
    return GetSetting(cVRAXSettings::LabelKey(labelIndex + 1, cVRAXSettings::LabelField::Title));
}

CardSwipeResult ProcessCardSwipe(const QString& cardText, const BadgeTitleSource& badgeTitle) {
    // An empty number would store a null Field4: a visit no later swipe could ever close.
    if (cardText.isEmpty())
        return invalidCard();

    db::RecordSet card;
    if (const StationError error = db::RunSQLReturnRS(
            QStringLiteral(
                "SELECT FirstName,LastName,LabelTypeID FROM PredefinedList WHERE RFCardID=?"),
            &card, {cardText});
        error.isError())
        return failed(error);
    if (card.isEmpty())
        return invalidCard();

    CardSwipeResult result;
    result.cardHolderName =
        card.value(0, 0).toString() + QLatin1Char(' ') + card.value(0, 1).toString();
    const std::optional<int> labelIndex = labelIndexOf(card.value(0, 2));
    const QDateTime now = Clock::current().now();
    bool badLabelType = false;

    // The look-up of the open visit and its change form one transaction, so another station on
    // the same file cannot check the same card in or out in between.
    const StationError error = db::RunInTransaction([&]() -> StationError {
        db::RecordSet open;
        if (StationError e = db::RunSQLReturnRS(
                QStringLiteral("SELECT ID FROM Labels WHERE Field4=? AND LogOutTime Is Null "
                               "ORDER BY LogInTime DESC, ID DESC"),
                &open, {cardText});
            e.isError())
            return e;
        if (!open.isEmpty()) {
            result.badgeId = open.value(0, 0);
            result.outcome = CardSwipeResult::Outcome::CheckedOut;
            return db::RunSP(QStringLiteral("qLogOut"),
                             {{QStringLiteral("@LogOutTime"), db::ParamTime, 8, now},
                              {QStringLiteral("@ID"), db::ParamInteger, 4, result.badgeId}});
        }
        // A card whose label type is none of the seven has no button to take a title from and
        // would open a visit of no label type; it cannot check in.
        if (!labelIndex) {
            badLabelType = true;
            return {};
        }
        db::ExecResult added;
        const QString title = badgeTitle ? badgeTitle(*labelIndex) : QString();
        StationError e = db::RunSP(
            QStringLiteral("qAddLabel"),
            addLabelParameters(*labelIndex, title, result.cardHolderName, now, cardText), &added);
        result.badgeId = added.returnedId;
        result.outcome = CardSwipeResult::Outcome::CheckedIn;
        return e;
    });
    if (error.isError())
        return failed(error);
    if (badLabelType) {
        WriteLog(QStringLiteral("ProcessCardSwipe: the card's label type ") +
                 card.value(0, 2).toString() + QStringLiteral(" is none of the seven"));
        return invalidCard();
    }

    ProgramState& state = programState();
    state.cardHolderName = result.cardHolderName;
    state.cardCheckIn = result.outcome == CardSwipeResult::Outcome::CheckedIn;
    return result;
}

void ForgetCardHolder() {
    programState().cardHolderName.clear();
}

QString CardSwipeErrorText(const StationError& error) {
    return QStringLiteral("An error was fired when processing the RFID card:\r\n\r\n") +
           QString::number(error.number) + QStringLiteral("  ") + error.description;
}

void ShowCardSwipeError(const StationError& error) {
    ShowMessage(CardSwipeErrorText(error), MsgOk | MsgCritical, {}, true);
}

CardSwipe::CardSwipe(BadgeTitleSource badgeTitle)
    : m_badgeTitle(std::move(badgeTitle)) {}

CardSwipe::KeyResult CardSwipe::keyPressed(int key, Qt::KeyboardModifiers modifiers,
                                           const QString& text) {
    // Shortcuts belong to the window; Shift (capitals) and the keypad are typing.
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_buffer.isEmpty())
            return {};
        return {true, ProcessCardSwipe()};
    }
    // Keys that type no character keep their meaning for the focused control (Tab moves the
    // focus); a control character is never part of a card number.
    if (text.isEmpty())
        return {};
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return {};
    }
    m_buffer += text;
    return {true, std::nullopt};
}

CardSwipeResult CardSwipe::ProcessCardSwipe() {
    const QString cardText = m_buffer;
    m_buffer.clear();
    return zelkora::ProcessCardSwipe(cardText, m_badgeTitle);
}

} // namespace zelkora
