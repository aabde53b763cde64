#include "StandardsConfigTestUtil.h"

#include <CKvDatabase.h>
#include <CKvDialog.h>
#include <CKvHelp.h>
#include <CKvMessageBox.h>
#include <CKvQtDialogButtonBox.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class HelpDialog : public CKvDialog
{
public:
    int GetHelpId() const override { return 3072; }
};

bool anyVisibleTopLevel()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(Dialog, ExecGivesOneOnlyWhenAccepted)
{
    ensureWidgetsApplication();
    struct Case
    {
        const char* what;
        std::function<void(CKvDialog&)> end;
        int result;
    };
    const Case cases[] = {
        {"accepted", [](CKvDialog& d) { d.accept(); }, 1},
        {"rejected", [](CKvDialog& d) { d.reject(); }, 0},
        {"closed", [](CKvDialog& d) { d.close(); }, 0},
        {"ended with another code", [](CKvDialog& d) { d.done(2); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKvDialog dialog;
        QTimer::singleShot(0, &dialog, [&] { c.end(dialog); });
        EXPECT_EQ(dialog.exec(), c.result);
    }
}

TEST(Dialog, HelpButtonShowsTheDialogsTopic)
{
    ensureWidgetsApplication();
    HelpDialog dialog;
    auto* box = new CKvQtDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, &dialog);
    QObject::connect(box, &QDialogButtonBox::helpRequested, &dialog, &CKvDialog::Help);
    box->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(CKvHelp::lastTopic(), 3072);

    CKvDialog withoutTopic;
    withoutTopic.Help();
    EXPECT_EQ(CKvHelp::lastTopic(), 3072);
}

TEST(MessageBox, ScriptedAnswersAreGivenInOrderWithoutShowingAnything)
{
    ensureWidgetsApplication();
    CKvMessageBox::clearScript();
    CKvMessageBox::scriptAnswer(QMessageBox::Yes);
    CKvMessageBox::scriptAnswer(QMessageBox::Close);
    struct Case
    {
        const char* text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton answer;
    };
    const Case cases[] = {
        {"first", QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes},
        {"second", QMessageBox::Close, QMessageBox::Close},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CKvMessageBox::warning(nullptr, "kvcad", c.text, c.buttons), c.answer);
        EXPECT_FALSE(anyVisibleTopLevel());
    }
    EXPECT_EQ(CKvMessageBox::scriptedAnswersLeft(), 0);
    const std::vector<CKvMessageBox::Shown> shown = CKvMessageBox::takeShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "first");
    EXPECT_EQ(shown[1].buttons, QMessageBox::StandardButtons(QMessageBox::Close));
    EXPECT_EQ(shown[1].icon, QMessageBox::Warning);
    EXPECT_TRUE(CKvMessageBox::takeShown().empty());
}

TEST(HostDatabase, DimensionVariablesSetThroughTheHostLandInTheDrawing)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    CKvDatabase drawing(db.get());
    drawing.setDimasz(0.25);
    drawing.setDimadec(3);
    drawing.setDimtxsty(db->getTextStyleStandardId());
    EXPECT_DOUBLE_EQ(db->dimasz(), 0.25);
    EXPECT_EQ(db->dimadec(), 3);
    EXPECT_EQ(db->dimtxsty(), db->getTextStyleStandardId());
    EXPECT_DOUBLE_EQ(drawing.dimasz(), 0.25);

    CKvDatabase none(nullptr);
    none.setDimasz(5.0);
    EXPECT_DOUBLE_EQ(none.dimasz(), OdDbDatabase::createObject()->dimasz());
}
