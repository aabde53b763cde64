#include "VerifyStandardsScenario.h"

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

// "name on" or "name off" for each widget; "name missing" for one the form lacks.
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

// Each row as "cell|cell|cell"; a cell with an icon starts with "[icon]".
QStringList rowsOf(const QWidget& dialog, const char* tableName)
{
    const QTableWidget* table = tableOf(dialog, tableName);
    if (!table) {
        return {QStringLiteral("(no %1)").arg(tableName)};
    }
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            QString cell = item ? item->text() : QString();
            if (item && !item->icon().isNull()) {
                cell.prepend(QStringLiteral("[icon]"));
            }
            cells << cell;
        }
        rows << cells.join('|');
    }
    return rows;
}

// The header texts, each followed by its tool tip when that differs.
QStringList headersOf(const QWidget& dialog, const char* tableName)
{
    const QTableWidget* table = tableOf(dialog, tableName);
    if (!table) {
        return {QStringLiteral("(no %1)").arg(tableName)};
    }
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column) {
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
    const QTableWidget* table = tableOf(dialog, "ReplaceWithTableWidget");
    const QList<QTableWidgetItem*> selected =
        table ? table->selectedItems() : QList<QTableWidgetItem*>();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

// Hands the records to the dialog and takes the first step, as the dialog does once it is up.
void start(CKvVerifyStandards& dialog, const Scenario& scenario)
{
    dialog.setErrorInfoList(scenario.records);
    dialog.clickedNext();
}

// The object names of the records the dialog still holds.
QStringList listedNames(const CKvVerifyStandards& dialog)
{
    QStringList names;
    for (const CKvVerifyStandardsInfo& info : dialog.errorInfoList()) {
        names << (info.getError().isNull() ? QStringLiteral("(no error)")
                                           : info.getError()->GetObjectName().toQString());
    }
    return names;
}

void click(const QWidget& dialog, const char* buttonName)
{
    if (auto* button = dialog.findChild<QAbstractButton*>(buttonName)) {
        button->click();
    }
}

// The 300 and 90 items of the layer's ignored-violation record, in chain order.
QStringList storedFlagItems(const OdDbObjectId& id)
{
    const OdDbObjectPtr pLayer = id.safeOpenObject();
    const OdDbDictionaryPtr pExtension = pLayer->extensionDictionary().openObject();
    if (pExtension.isNull()) {
        return {QStringLiteral("(no extension dictionary)")};
    }
    const OdDbDictionaryPtr pStandard = pExtension->getAt(OdString("AcStStandard"), OdDb::kForRead);
    const OdDbXrecordPtr pFlags =
        pStandard.isNull()
            ? OdDbXrecordPtr()
            : OdDbXrecordPtr(pStandard->getAt(OdString("AcStFlags"), OdDb::kForRead));
    if (pFlags.isNull()) {
        return {QStringLiteral("(no AcStFlags)")};
    }
    QStringList items;
    for (OdResBufPtr pItem = pFlags->rbChain(); !pItem.isNull(); pItem = pItem->next()) {
        if (pItem->restype() == OdResBuf::kDxfXTextString) {
            items << "300=" + CKvString(pItem->getString()).toQString();
        } else if (pItem->restype() == OdResBuf::kDxfInt32) {
            items << QStringLiteral("90=%1").arg(pItem->getInt32());
        }
    }
    return items;
}
