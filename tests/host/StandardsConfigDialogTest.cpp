// The standards configuration dialog, page by page, driven through its widgets.
#include "HostTestUtil.h"
#include "StandardsConfigTestUtil.h"
#include "WidgetChecks.h"

#include <CKvMessageBox.h>
#include <CKvPluginFlags.h>
#include <CKvStandardsConfigDialog.h>
#include <CKvStandardsSettings.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// The dialog with the file dialog replaced by the files the test picks.
class ScriptedConfigDialog : public CKvStandardsConfigDialog
{
public:
    using CKvStandardsConfigDialog::CKvStandardsConfigDialog;
    QStringList nextChoice;

protected:
    QStringList chooseStandardsFiles() override { return std::exchange(nextChoice, {}); }
};

template <class Widget>
Widget& child(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        throw std::runtime_error(std::string("no widget ") + name);
    }
    return *widget;
}

// The texts of the list's or the combo box's items.
template <class Widget>
std::vector<std::string> itemTexts(QWidget& dialog, const char* name)
{
    std::vector<std::string> texts;
    const QAbstractItemModel* model = child<Widget>(dialog, name).model();
    for (int i = 0; i < model->rowCount(); ++i) {
        texts.push_back(model->index(i, 0).data().toString().toStdString());
    }
    return texts;
}

std::vector<std::string> listTexts(QWidget& dialog)
{
    return itemTexts<QListWidget>(dialog, "StandardsFilesList");
}

}  // namespace

// Files added, moved and removed, a plug-in unticked and the settings changed reach the drawing,
// the plug-ins and the user's settings on OK (the manager then reads the association the drawing
// holds), and nothing of it on Cancel.
TEST(StandardsConfigDialog, OkAppliesWhatEveryPageChangedAndCancelNothing)
{
    struct Case
    {
        const char* what;
        QDialogButtonBox::StandardButton ending;
        bool applied;
    };
    const Case cases[] = {{"OK", QDialogButtonBox::Ok, true},
                          {"Cancel", QDialogButtonBox::Cancel, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StubPlugin layers("Layers", "E81A7EB1-A22C-4bd4-96F8-725D0798DE29");
        StubPlugin text("Text styles", "{7B1C0F2E-text}");
        ConfigScope scope({&layers, &text});
        CKvDocument* document = scope.openDrawing({L"/std/old.dws"});
        ASSERT_NE(document, nullptr);
        ScriptedConfigDialog dialog(document, &scope.manager, CKvStandardsSettings::load());

        dialog.nextChoice = QStringList{"/std/a.dws", "/std/b.dxf"};
        clickNamed(dialog, "AddFileButton");
        EXPECT_EQ(listTexts(dialog),
                  (std::vector<std::string>{"/std/old.dws", "/std/a.dws", "/std/b.dxf"}));
        child<QListWidget>(dialog, "StandardsFilesList").setCurrentRow(2);
        clickNamed(dialog, "MoveUpButton");
        child<QListWidget>(dialog, "StandardsFilesList").setCurrentRow(0);
        clickNamed(dialog, "RemoveFileButton");
        const std::vector<std::string> edited = {"/std/b.dxf", "/std/a.dws"};
        EXPECT_EQ(listTexts(dialog), edited);
        child<QTreeWidget>(dialog, "PluginList")
            .topLevelItem(1)
            ->setCheckState(CKvStandardsConfigDialog::NameColumn, Qt::Unchecked);
        child<QComboBox>(dialog, "PreferredFileCombo").setCurrentText("/std/a.dws");
        child<QCheckBox>(dialog, "AutomaticFixCheckBox").click();
        child<QCheckBox>(dialog, "ShowIgnoredCheckBox").click();
        EXPECT_EQ(storedAssociation(document), std::vector<std::string>{"/std/old.dws"});
        clickButton(dialog, c.ending);

        EXPECT_EQ(storedAssociation(document),
                  c.applied ? edited : std::vector<std::string>{"/std/old.dws"});
        ASSERT_EQ(scope.manager.inits.size(), c.applied ? 1u : 0u);
        if (c.applied) {
            EXPECT_EQ(scope.manager.inits[0].first, document);
            EXPECT_EQ(scope.manager.inits[0].second.size(), 2u);
        }
        EXPECT_EQ(text.Enabled(), !c.applied);
        EXPECT_TRUE(layers.Enabled());
        EXPECT_EQ(text.setEnabledCalls + layers.setEnabledCalls, c.applied ? 2 : 0);
        EXPECT_EQ(QFile::exists(CKvStandardsSettings::filePath()), c.applied);
        const CKvStandardsSettings stored = CKvStandardsSettings::load();
        EXPECT_EQ(stored.preferredStandardsFile().toUtf8(), c.applied ? "/std/a.dws" : "None");
        EXPECT_EQ(stored.automaticFix(), c.applied);
        EXPECT_EQ(stored.showIgnored(), c.applied);
        EXPECT_EQ(stored.pluginEnabled(L"{7b1c0f2e-TEXT}"), !c.applied);
        EXPECT_TRUE(stored.pluginEnabled(L"E81A7EB1-A22C-4BD4-96F8-725D0798DE29"));
    }
}

TEST(StandardsConfigDialog, FilesTheHostCannotFindAreMarked)
{
    ConfigScope scope;
    const QString folder = scope.home.path();
    QDir(folder).mkpath("std");
    for (const QString& file : {folder + "/std/here.dxf", folder + "/moved.dws"}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    }
    struct Case
    {
        const char* what;
        QString path;
        bool marked;
    };
    const Case cases[] = {
        {"where it is stored", folder + "/std/here.dxf", false},
        {"moved beside the drawing", "/old/place/moved.dws", false},
        {"nowhere", "/nowhere/missing.dws", true},
        {"a folder of that name", folder + "/std", true},
    };
    std::vector<CKvString> paths;
    for (const Case& c : cases) {
        paths.push_back(CKvString(c.path));
    }
    CKvDocument* document = scope.openDrawing(paths);
    ASSERT_NE(document, nullptr);
    CKvStandardsConfigDialog dialog(document, &scope.manager, CKvStandardsSettings::load());
    auto& list = child<QListWidget>(dialog, "StandardsFilesList");
    ASSERT_EQ(list.count(), static_cast<int>(std::size(cases)));
    for (int i = 0; i < list.count(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        EXPECT_EQ(list.item(i)->text(), c.path);
        EXPECT_EQ(list.item(i)->toolTip().contains("File not found"), c.marked);
        EXPECT_EQ(!list.item(i)->icon().isNull(), c.marked);
    }
}

TEST(StandardsConfigDialog, PluginRowsShowTheManagersPluginsInItsOrder)
{
    StubPlugin layers("Layers", "ID-L", "Checks layer names and properties.", "1.0");
    StubPlugin text("Text styles", "ID-T", "Checks text styles.", "2.1");
    text.enabled = false;
    ConfigScope scope({&text, &layers});
    CKvStandardsConfigDialog dialog(nullptr, &scope.manager, CKvStandardsSettings::load(), 2);
    auto& tree = child<QTreeWidget>(dialog, "PluginList");
    // Name, version, ticked, tool tip, and the description shown once the row is chosen.
    std::vector<std::string> rows;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = tree.topLevelItem(i);
        tree.setCurrentItem(tree.topLevelItem(i));
        rows.push_back(
            QStringList({item->text(CKvStandardsConfigDialog::NameColumn),
                         item->text(CKvStandardsConfigDialog::VersionColumn),
                         item->checkState(CKvStandardsConfigDialog::NameColumn) == Qt::Checked
                             ? "[x]"
                             : "[ ]",
                         item->toolTip(CKvStandardsConfigDialog::NameColumn),
                         child<QLabel>(dialog, "PluginDescriptionLabel").text()})
                .join('|')
                .toStdString());
    }
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "Text styles|2.1|[ ]|Checks text styles.|Checks text styles.",
                        "Layers|1.0|[x]|Checks layer names and properties.|Checks layer names "
                        "and properties."}));

    StubManager empty;
    CKvStandardsConfigDialog none(nullptr, &empty, CKvStandardsSettings::load(), 2);
    EXPECT_EQ(child<QTreeWidget>(none, "PluginList").topLevelItemCount(), 0);
    EXPECT_EQ(child<QLabel>(none, "PluginDescriptionLabel").text(),
              "No standards plug-ins are loaded.");
}

// Steps: "add:FILE" picks a file on the first page, "remove:ROW" removes that row of the list,
// "choose:INDEX" chooses the preferred file.
TEST(StandardsConfigDialog, PreferredFileIsChosenAmongTheListedFilesAndKept)
{
    struct Case
    {
        const char* what;
        const wchar_t* stored;
        std::vector<CKvString> associated;
        const char* steps;
        std::vector<std::string> offered;
        std::string saved;
    };
    const Case cases[] = {
        {"a preferred file not associated stays offered",
         L"/std/other.dws",
         {L"/std/a.dws"},
         "",
         {"None", "/std/a.dws", "/std/other.dws"},
         "/std/other.dws"},
        {"matched ignoring case",
         L"/STD/A.DWS",
         {L"/std/a.dws"},
         "",
         {"None", "/std/a.dws"},
         "/std/a.dws"},
        {"a file added on the first page",
         L"None",
         {},
         "add:/std/new.dxf choose:1",
         {"None", "/std/new.dxf"},
         "/std/new.dxf"},
        {"the chosen file removed from the list stays chosen",
         L"None",
         {L"/std/a.dws", L"/std/b.dws"},
         "choose:2 remove:1",
         {"None", "/std/a.dws", "/std/b.dws"},
         "/std/b.dws"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigScope scope;
        CKvStandardsSettings settings;
        settings.setPreferredStandardsFile(c.stored);
        ASSERT_TRUE(settings.save());
        CKvDocument* document = scope.openDrawing(c.associated);
        ScriptedConfigDialog dialog(document, &scope.manager, CKvStandardsSettings::load());
        for (const QString& step : QString(c.steps).split(' ', Qt::SkipEmptyParts)) {
            const QString value = step.section(':', 1);
            if (step.startsWith("add:")) {
                dialog.nextChoice = QStringList{value};
                clickNamed(dialog, "AddFileButton");
            } else if (step.startsWith("remove:")) {
                child<QListWidget>(dialog, "StandardsFilesList").setCurrentRow(value.toInt());
                clickNamed(dialog, "RemoveFileButton");
            } else {
                child<QComboBox>(dialog, "PreferredFileCombo").setCurrentIndex(value.toInt());
            }
        }
        EXPECT_EQ(itemTexts<QComboBox>(dialog, "PreferredFileCombo"), c.offered);
        clickButton(dialog, QDialogButtonBox::Ok);
        EXPECT_EQ(CKvStandardsSettings::load().preferredStandardsFile().toUtf8(), c.saved);
    }
}

TEST(StandardsConfigDialog, SettingsThatCannotBeSavedWarnButTheRestIsApplied)
{
    StubPlugin layers("Layers", "ID-L");
    ConfigScope scope({&layers});
    CKvDocument* document = scope.openDrawing();
    // A plain file where the configuration folder should be.
    const QString blocked = scope.home.path() + "/not-a-folder";
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_HOME", blocked.toUtf8());

    ScriptedConfigDialog dialog(document, &scope.manager, CKvStandardsSettings::load());
    dialog.nextChoice = QStringList{"/std/a.dws"};
    clickNamed(dialog, "AddFileButton");
    child<QTreeWidget>(dialog, "PluginList")
        .topLevelItem(0)
        ->setCheckState(CKvStandardsConfigDialog::NameColumn, Qt::Unchecked);
    CKvMessageBox::takeShown();
    CKvMessageBox::scriptAnswer(QMessageBox::Ok);
    clickButton(dialog, QDialogButtonBox::Ok);

    const std::vector<CKvMessageBox::Shown> shown = CKvMessageBox::takeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(shown[0].text.contains("could not be saved")) << shown[0].text.toStdString();
    EXPECT_EQ(storedAssociation(document), std::vector<std::string>{"/std/a.dws"});
    EXPECT_FALSE(layers.Enabled());
    EXPECT_EQ(scope.manager.inits.size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(StandardsConfigDialog, EveryTextIsTranslatedInTheDialogsContext)
{
    StubPlugin layers("Layers", "ID-L");
    ConfigScope scope({&layers});
    StubManager empty;
    const ContextMarker marker("CKvStandardsConfigDialog");
    CKvStandardsConfigDialog withoutPlugins(nullptr, &empty, CKvStandardsSettings::load());
    EXPECT_EQ(untranslatedTexts(withoutPlugins, marker).join(", ").toStdString(), "");
    CKvDocument* document = scope.openDrawing({L"/nowhere/missing.dws"});
    CKvStandardsConfigDialog dialog(document, &scope.manager, CKvStandardsSettings::load());
    // The plug-in's description is the plug-in's own text.
    EXPECT_EQ(
        untranslatedTexts(dialog, marker, {"PluginDescriptionLabel"}).join(", ").toStdString(), "");
    EXPECT_TRUE(child<QListWidget>(dialog, "StandardsFilesList")
                    .item(0)
                    ->toolTip()
                    .startsWith(marker.marked("File not found")));
    EXPECT_TRUE(
        child<QComboBox>(dialog, "PreferredFileCombo").itemText(0).startsWith(marker.marked("")));
}

TEST(StandardsConfigDialog, EveryPageShowsItsTextsWhole)
{
    StubPlugin dimensions("Dimension Styles", "ID-D", "Checks dimension styles.", "1.0");
    StubPlugin layers("Layers", "ID-L", "Checks layer names and properties.", "1.0");
    ConfigScope scope({&dimensions, &layers});
    CKvDocument* document =
        scope.openDrawing({L"/srv/standards/office.dws", L"/srv/standards/architecture.dws"});
    ASSERT_NE(document, nullptr);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        CKvStandardsConfigDialog dialog(document, &scope.manager, CKvStandardsSettings::load(),
                                        page);
        dialog.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(cutTexts(dialog).join(", ").toStdString(), "");
        EXPECT_NE(saveScreenshot(dialog, QStringLiteral("CKvStandardsConfigDialog-%1").arg(page)),
                  QString());
    }
}
