// The entry window's rules without a window: configuration, validation order, quantity
// conversion, the Check In / Check Out gate and the layout arithmetic.
#include "checkin/entryform.h"
#include "checkin/entrylayout.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

TEST(PlanEntryForm, ConfiguresFieldsFromTheLabelType) {
    LabelDataSettings settings;
    settings.Title = s("Visitor");
    settings.NameLabelPrefix = s("Visitor's");
    settings.PreloadList = s("Ann Able\r\nBob Baker\r\n");
    settings.questions[0] = {s("Host"), s("Sales\r\nService"), true, true, true, false};
    settings.questions[1] = {s("Car"), s("   "), false, false, true, false};
    settings.MessageBoard = s("Please wear the badge.");
    settings.IncludeCheckinAndCheckout = true;

    const EntryFormPlan plan = PlanEntryForm(settings);
    // A list that ends in CR LF leaves an empty last entry.
    EXPECT_EQ(plan.names, (QStringList{s("Ann Able"), s("Bob Baker"), QString()}));
    EXPECT_EQ(plan.badgeName, s("Visitor"));
    EXPECT_FALSE(plan.titleEditable);
    EXPECT_EQ(plan.nameCaption, s("Visitor's Name:"));
    EXPECT_TRUE(plan.messageShown);
    EXPECT_FALSE(plan.noNameEnabled);
    EXPECT_EQ(plan.questions[0].caption, s("Host (printed)"));
    EXPECT_EQ(plan.questions[0].control, AnswerControl::List);
    EXPECT_EQ(plan.questions[0].items, (QStringList{s("Sales"), s("Service")}));
    // Answers of only spaces count as none: the question takes free text.
    EXPECT_EQ(plan.questions[1].caption, s("Car"));
    EXPECT_EQ(plan.questions[1].control, AnswerControl::Text);
    EXPECT_TRUE(plan.questions[1].items.isEmpty());
    EXPECT_TRUE(plan.checkOutShown);
    EXPECT_EQ(plan.windowCaption, s("Check In/Out"));
}

TEST(PlanEntryForm, EdgesOfTheConfiguration) {
    LabelDataSettings settings; // all defaults: empty title, no prefix, no lists
    settings.questions[0].Displayed = false;
    settings.questions[0].Answers = s("A\r\nB");
    settings.questions[1].Answers = s(" A \r\n\r\n");

    EntryFormPlan plan = PlanEntryForm(settings);
    EXPECT_TRUE(plan.names.isEmpty());
    EXPECT_TRUE(plan.titleEditable) << "an empty title must be typed in";
    EXPECT_EQ(plan.nameCaption, s(" Name:"));
    EXPECT_FALSE(plan.messageShown);
    EXPECT_EQ(plan.questions[0].control, AnswerControl::Hidden);
    EXPECT_FALSE(plan.questions[0].labelShown);
    // List items stay untrimmed, empty pieces included.
    EXPECT_EQ(plan.questions[1].items, (QStringList{s(" A "), QString(), QString()}));
    EXPECT_FALSE(plan.checkOutShown);
    EXPECT_EQ(plan.windowCaption, s("Create Security Badge"));

    settings.Title = s("Guest");
    settings.AllowTitleChange = true;
    settings.AllowNoName = true;
    plan = PlanEntryForm(settings);
    EXPECT_TRUE(plan.titleEditable);
    EXPECT_TRUE(plan.noNameEnabled);
}

struct ValidationCase {
    const char* what;
    EntryValues entry;
    const char* message; // empty: passes
    qint32 quantity;
};

TEST(ValidateEntry, FirstFailingRuleInOrder) {
    LabelDataSettings settings;
    settings.questions[0] = {s("Host"), {}, true, false, true, false};
    settings.questions[1] = {s("Car"), {}, true, false, true, false};
    const auto entry = [](const char* name, const char* title, bool noName, const char* qty,
                          const char* a1, const char* a2, bool shown1 = true, bool shown2 = true) {
        EntryValues v;
        v.name = s(name);
        v.badgeName = s(title);
        v.noName = noName;
        v.quantityText = s(qty);
        v.answers = {s(a1), s(a2)};
        v.answerShown = {shown1, shown2};
        return v;
    };
    const std::vector<ValidationCase> cases{
        {"everything empty", entry("", "", false, "", "", ""),
         "You must enter a value in the Name field.", 1},
        {"title empty", entry("Ann", "", false, "", "", ""),
         "You must enter a value in the Title field.", 1},
        {"quantity ignored without no-name", entry("Ann", "Guest", false, "x", "a", "b"), "", 1},
        {"quantity not a number", entry("N", "Guest", true, "x", "", ""),
         "You must enter a numeric value in the Qty field.", 1},
        {"quantity empty", entry("N", "Guest", true, "", "", ""),
         "You must enter a numeric value in the Qty field.", 1},
        {"quantity zero", entry("N", "Guest", true, "0", "", ""),
         "You must enter a positive value in the Qty field.", 1},
        {"quantity 0.4 rounds to zero", entry("N", "Guest", true, "0.4", "", ""),
         "You must enter a positive value in the Qty field.", 1},
        {"answer 1 only spaces", entry("Ann", "Guest", true, "3", "   ", ""),
         "You must enter a value for the Host field.", 3},
        {"answer 2 empty", entry("Ann", "Guest", false, "", "Sales", ""),
         "You must enter a value for the Car field.", 1},
        {"hidden answers are not required", entry("Ann", "Guest", false, "", "", "", false, false),
         "", 1},
        {"nameless quantity 3", entry("N", "Guest", true, " 3 ", "x", "y"), "", 3},
    };
    for (const ValidationCase& c : cases) {
        const EntryValidation result = ValidateEntry(settings, c.entry);
        EXPECT_EQ(result.message, s(c.message)) << c.what;
        if (result.ok()) {
            EXPECT_EQ(result.quantity, c.quantity) << c.what;
        }
    }
}

TEST(ToWholeNumber, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
    const std::vector<std::pair<const char*, std::optional<qint32>>> cases{
        {"3", 3},
        {" 7 ", 7},
        {"2.5", 2},
        {"3.5", 4},
        {"-1.5", -2},
        {"1,000", 1000},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"1e20", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"three", std::nullopt},
        {"3 labels", std::nullopt},
        {"inf", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ToWholeNumber(s(text)), expected) << text;
}

enum class Step { Freeze, Restart, Scan };

struct GateCase {
    const char* what;
    qint16 webCamMode;
    qint16 scannerMode;
    bool atLoad;
    std::vector<std::pair<Step, bool>> steps; // the step and the enabled state after it
};

TEST(CheckInButtonGate, FollowsTheCaptureOfRequiredDevices) {
    const std::vector<GateCase> cases{
        {"no devices", 0, 0, true, {}},
        {"optional devices", 2, 2, true, {{Step::Freeze, true}, {Step::Restart, true}}},
        {"web-cam required",
         1,
         0,
         false,
         {{Step::Freeze, true}, {Step::Restart, false}, {Step::Freeze, true}}},
        {"scanner required", 0, 1, false, {{Step::Scan, true}, {Step::Scan, true}}},
        {"both required, picture first",
         1,
         1,
         false,
         {{Step::Freeze, false}, {Step::Scan, true}, {Step::Restart, false}}},
        {"both required, scan first", 1, 1, false, {{Step::Scan, false}, {Step::Freeze, true}}},
        {"web-cam required, scan optional",
         1,
         2,
         false,
         {{Step::Scan, false}, {Step::Freeze, true}}},
    };
    for (const GateCase& c : cases) {
        CheckInButtonGate gate(c.webCamMode, c.scannerMode);
        EXPECT_EQ(gate.enabled(), c.atLoad) << c.what;
        int n = 0;
        for (const auto& [step, enabled] : c.steps) {
            if (step == Step::Freeze)
                gate.pictureFrozen();
            else if (step == Step::Restart)
                gate.videoRestarted();
            else
                gate.idImageArrived();
            EXPECT_EQ(gate.enabled(), enabled) << c.what << ", step " << n++;
        }
    }
}

TEST(CheckInButtonGate, TracksWhatWasCaptured) {
    CheckInButtonGate gate(1, 1);
    EXPECT_FALSE(gate.pictureTaken());
    EXPECT_FALSE(gate.idScanned());
    gate.pictureFrozen();
    gate.idImageArrived();
    gate.videoRestarted();
    EXPECT_FALSE(gate.pictureTaken()) << "a restarted video has no picture to save";
    EXPECT_TRUE(gate.idScanned());
}

struct LayoutCase {
    bool id;
    bool photo;
    TwipsRect optional;
    int requiredWidth;
    TwipsRect buttons;
    int windowWidth;
    int windowHeight;
    int messageWidth;
};

TEST(LayOutLabelData, ArithmeticOfTheShownAreas) {
    const LabelDataDesign& d = DefaultLabelDataDesign();
    const int t = d.optionalFrame.top;
    const int depth = d.idPicture.top + kIdPictureHeight + 130; // ID area shown
    const int extent = d.field2Answer.bottom() + 130;           // ID area hidden
    const int narrow = d.field1Answer.right() + 200;
    const int bh = d.buttonFrame.height;
    const std::vector<LayoutCase> cases{
        {true,
         true,
         {d.optionalFrame.left, t, d.requiredFrame.width, depth},
         d.requiredFrame.width,
         {d.buttonFrame.left, t + depth + 130, d.buttonFrame.width, bh},
         d.windowWidth,
         bh + t + depth + 130 + 700,
         d.messageBoard.width},
        {true,
         false,
         {d.optionalFrame.left, t, d.requiredFrame.width, depth},
         d.requiredFrame.width,
         {d.buttonFrame.left, t + depth + 130, d.buttonFrame.width, bh},
         d.windowWidth,
         bh + t + depth + 130 + 700,
         d.messageBoard.width},
        {false,
         true,
         {d.optionalFrame.left, t, narrow, extent},
         d.requiredFrame.width,
         {d.buttonFrame.left, t + extent - bh, d.buttonFrame.width, bh},
         d.windowWidth,
         t + extent + 700,
         d.messageBoard.width},
        {false,
         false,
         {d.optionalFrame.left, t, narrow, extent},
         narrow,
         {d.requiredFrame.left + narrow - d.buttonFrame.width, t + extent + 130,
          d.buttonFrame.width, bh},
         d.requiredFrame.left + narrow + 200,
         bh + t + extent + 130 + 700,
         d.badgeName.width},
    };
    for (const LayoutCase& c : cases) {
        const LabelDataLayout l = LayOutLabelData(d, c.id, c.photo);
        const std::string what = std::string("id ") + (c.id ? "shown" : "hidden") + ", photo " +
                                 (c.photo ? "shown" : "hidden");
        EXPECT_EQ(l.optionalFrame.left, c.optional.left) << what;
        EXPECT_EQ(l.optionalFrame.top, c.optional.top) << what;
        EXPECT_EQ(l.optionalFrame.width, c.optional.width) << what;
        EXPECT_EQ(l.optionalFrame.height, c.optional.height) << what;
        EXPECT_EQ(l.requiredFrame.width, c.requiredWidth) << what;
        EXPECT_EQ(l.buttonFrame.left, c.buttons.left) << what;
        EXPECT_EQ(l.buttonFrame.top, c.buttons.top) << what;
        EXPECT_EQ(l.windowWidth, c.windowWidth) << what;
        EXPECT_EQ(l.windowHeight, c.windowHeight) << what;
        EXPECT_EQ(l.messageBoardWidth, c.messageWidth) << what;
        EXPECT_EQ(l.idPicture.height, c.id ? kIdPictureHeight : d.idPicture.height) << what;
        // Whatever is shown, the buttons stay inside the window and below the frames above them.
        EXPECT_LE(l.buttonFrame.right(), l.windowWidth) << what;
        EXPECT_LE(l.buttonFrame.bottom(), l.clientHeight) << what;
        EXPECT_GE(l.buttonFrame.top, l.requiredFrame.bottom()) << what;
    }
}

} // namespace
} // namespace zelkora
