#include "VerifyStandardsScenario.h"

#include "WidgetChecks.h"

#include <CKvSystemServices.h>
#include <OdError.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>

#include <EdCommandStack.h>

const char kNoStandardsText[] = "There are no standards files associated with the current drawing.";

void RecordingPlugin::FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                               CKvString& message)
{
    fixes << error->GetObjectName().toQString() + ':' + fix->GetFixObjectName().toQString();
    messages << message.toQString();
    if (failFixes) {
        throw OdError(eInvalidInput);
    }
}

void RecordingPlugin::GetPropertyDiffs(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                                       std::vector<CKvString>& names,
                                       OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                                       OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                                       std::vector<CKvString>& extra)
{
    diffRequests << fix->GetFixObjectName().toQString();
    for (const auto& property : fix->GetProperties()) {
        names.push_back(property.first);
        errorValues.append(error->GetPropertyValue(property.first));
        fixValues.append(property.second);
        extra.push_back(property.first);
    }
}

ConfigurationCommand::ConfigurationCommand(std::function<void()> change)
    : command("DWGSTANDARDS", [this, change](CKvCommandContext* context) {
        QStringList items;
        for (OdResBufPtr item = context->arguments(); !item.isNull(); item = item->next()) {
            items << (item->restype() == OdResBuf::kRtInt16
                          ? QStringLiteral("5003=%1").arg(item->getInt16())
                          : QString::number(item->restype()));
        }
        runs << items.join(' ');
        change();
        return int(CKvCommand::kResultNormal);
    })
{}

void Scenario::closeSummary(QDialog& summary)
{
    QStringList counts;
    for (const char* name : {"num_violations", "num_autoFix", "num_manualFix", "num_Ignored"}) {
        counts << shownText(summary, name);
    }
    summaries << counts.join(' ');
    clickButton(summary, QDialogButtonBox::Close);
}

Scenario::Scenario(bool automaticFix, bool showIgnored)
{
    CKvStandardsSettings settings;
    settings.setAutomaticFix(automaticFix);
    settings.setShowIgnored(showIgnored);
    m_saved = settings.save();
    const QString file = folder.path() + "/drawing.dxf";
    OdDbDatabase::createObject()->writeFile(CKvString(file).toOdString());
    document = GetKvSystemServices()->documentManager()->open(CKvString(file));
}

int Scenario::add(const char* layer, const std::vector<Fix>& fixes, int recommended,
                  const std::vector<Value>& values)
{
    ids.push_back(addLayer(*document->database(), layer));

    const OdSmartPtr<CKvStdsError> pError = CKvStdsError::createObject();
    pError->SetObjectId(ids.back());
    pError->SetObjectType(CKvString("Layer"));
    pError->SetObjectName(CKvString(layer));
    pError->SetDescription(CKvString(QStringLiteral("Layer %1 is non-standard.").arg(layer)));
    pError->SetPlugin(OdSmartPtr<CKvStdsPlugins>(&plugin));
    for (const Value& value : values) {
        pError->AddProperty(CKvString(value.property), value.value);
    }
    OdArray<OdSmartPtr<CKvStdsFix>> fixArray;
    for (const Fix& fix : fixes) {
        const OdSmartPtr<CKvStdsFix> pFix = CKvStdsFix::createObject();
        pFix->SetFixObjectName(CKvString(fix.name.c_str()));
        pFix->SetFixDisplayName(CKvString(fix.name.c_str()));
        pFix->SetStandardsFile(CKvString(fix.file.c_str()));
        for (const Value& value : fix.values) {
            pFix->AddProperty(CKvString(value.property), value.value);
        }
        fixArray.append(pFix);
    }
    CKvVerifyStandardsInfo info;
    info.setError(pError);
    info.setCurrentPlugin(OdSmartPtr<CKvStdsPlugins>(&plugin));
    info.setFixArray(fixArray);
    info.setRecommendedFixIdx(recommended);
    return static_cast<int>(records.append(info));
}

QString shownText(const QWidget& dialog, const char* name)
{
    const QObject* widget = dialog.findChild<QWidget*>(name);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return QStringLiteral("(no %1)").arg(name);
}

QStringList enabledStates(const QWidget& dialog, const QStringList& names)
{
    QStringList states;
    for (const QString& name : names) {
        const QWidget* widget = dialog.findChild<QWidget*>(name);
        states << name + (widget ? (widget->isEnabled() ? " on" : " off") : " missing");
    }
    return states;
}

QStringList withState(const QStringList& names, const char* state)
{
    QStringList states;
    for (const QString& name : names) {
        states << name + ' ' + state;
    }
    return states;
}

const QStringList kViolationWidgets = {"ObjectNameLabel",         "ProblemDescLabel",
                                       "ReplaceWithTableWidget",  "PreviewChangesTableWidget",
                                       "IgnoreViolationCheckBox", "FixIssueButton"};

QTableWidget* tableOf(const QWidget& dialog, const char* name)
{
    return dialog.findChild<QTableWidget*>(name);
}

QStringList rowsOf(const QWidget& dialog, const char* tableName)
{
    const QTableWidget* table = tableOf(dialog, tableName);
    QStringList rows;
    for (int row = 0; table && row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            cells << (item && !item->icon().isNull() ? "[icon]" : "") + (item ? item->text() : "");
        }
        rows << cells.join('|');
    }
    return rows;
}

QStringList headersOf(const QWidget& dialog, const char* tableName)
{
    const QTableWidget* table = tableOf(dialog, tableName);
    QStringList headers;
    for (int column = 0; table && column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->horizontalHeaderItem(column);
        QString text = item ? item->text() : QStringLiteral("(none)");
        if (item && item->toolTip() != item->text()) {
            text += QStringLiteral(" (tip %1)").arg(item->toolTip());
        }
        headers << text;
    }
    return headers;
}

int selectedFixRow(const QWidget& dialog)
{
    const QList<QTableWidgetItem*> selected =
        tableOf(dialog, "ReplaceWithTableWidget")->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

void start(CKvVerifyStandards& dialog, const Scenario& scenario)
{
    dialog.setErrorInfoList(scenario.records);
    dialog.clickedNext();
}

QStringList listedNames(const CKvVerifyStandards& dialog)
{
    QStringList names;
    for (const CKvVerifyStandardsInfo& info : dialog.errorInfoList()) {
        names << (info.getError().isNull() ? QStringLiteral("(no error)")
                                           : info.getError()->GetObjectName().toQString());
    }
    return names;
}
