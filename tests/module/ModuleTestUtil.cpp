#include "ModuleTestUtil.h"

#include <CKvStandardsSettings.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>

#include <stdexcept>

std::string HostScope::path(const std::string& relative) const
{
    const QString full = m_scratch.filePath(QString::fromStdString(relative));
    QDir().mkpath(QFileInfo(full).absolutePath());
    return full.toStdString();
}

std::string HostScope::writeStandardsFile(const std::string& relative) const
{
    const std::string full = path(relative);
    OdDbDatabase::createObject()->writeFile(OdString(full.c_str()));
    return full;
}

std::string HostScope::writeDrawing(const std::string& relative,
                                    const std::vector<Association>& entries) const
{
    OdDbDatabasePtr pDb = OdDbDatabase::createObject();
    if (!entries.empty()) {
        OdDbDictionaryPtr pNamed =
            pDb->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
        OdDbDictionaryPtr pStandards = OdDbDictionary::createObject();
        pNamed->setAt(OdString(L"AcStStandard"), pStandards.get());
        for (const Association& entry : entries) {
            OdDbXrecordPtr pRecord = OdDbXrecord::createObject();
            pStandards->setAt(OdString(entry.key.c_str()), pRecord.get());
            OdResBufPtr pChain = entry.restype == OdResBuf::kDxfText
                                     ? OdResBuf::newRb(entry.restype, entry.value.c_str())
                                     : OdResBuf::newRb(entry.restype, OdInt32(1));
            pRecord->setFromRbChain(pChain.get());
        }
    }
    const std::string full = path(relative);
    pDb->writeFile(OdString(full.c_str()));
    return full;
}

CKvDocument* HostScope::open(const std::string& path)
{
    CKvDocument* document = services.documentManager()->open(CKvString(path.c_str()));
    if (!document) {
        throw std::runtime_error(services.documentManager()->lastError().toUtf8());
    }
    return document;
}

void HostScope::setPreferredFile(const std::string& path)
{
    CKvStandardsSettings settings = services.standardsSettings();
    settings.setPreferredStandardsFile(CKvString(path.c_str()));
    if (!services.setStandardsSettings(settings)) {
        throw std::runtime_error("settings not saved");
    }
}

std::vector<std::string> standardsPaths()
{
    std::vector<std::string> paths;
    if (CKvStdsManager* manager = GetKvStandardManager()) {
        for (const CKvString& path : manager->getDwsPathArray()) {
            paths.push_back(path.toUtf8());
        }
    }
    return paths;
}

ModalAnswers::ModalAnswers(bool accept, bool tick) : m_accept(accept), m_tick(tick) {}

void ModalAnswers::answer(QDialog& dialog)
{
    const std::string name = dialog.metaObject()->className();
    // The Verify Standards dialog shows its first violation once it is up.
    const auto* violation = dialog.findChild<QLabel*>("ObjectNameLabel");
    shown.push_back(violation == nullptr || violation->text().isEmpty()
                        ? name
                        : name + ' ' + violation->text().toStdString());
    if (name == "CKvStandardViolationMessage") {
        if (m_accept) {
            dialog.findChild<QRadioButton*>("runStdVerification")->click();
        }
        dialog.accept();
        return;
    }
    if (name != "CKvVerifyStandards" && name != "CKvVerfiyCompleteMessage") {
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            box->setChecked(m_tick);
        }
        if (m_accept) {
            dialog.accept();
            return;
        }
    }
    dialog.close();
}
