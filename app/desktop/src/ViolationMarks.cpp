#include "ViolationMarks.h"

#include <CKvDocument.h>
#include <CKvIgnoredState.h>
#include <CKvStdsError.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <DbObject.h>
#include <OdError.h>
#include <RxClass.h>

#include <QFileInfo>

#include <list>
#include <vector>

namespace {

// Whether the plug-in checks any of the records: a plug-in given records it does not handle
// would check the whole drawing instead.
bool handlesAny(CKvStdsPlugins& plugin, const OdDbObjectIdArray& ids)
{
    const std::vector<CKvString> filter = plugin.GetObjectFilter();
    for (const OdDbObjectId& id : ids) {
        const OdDbObjectPtr object = id.openObject();
        if (object.isNull() || object->isA() == nullptr) {
            continue;
        }
        const CKvString dxfName(object->isA()->dxfName());
        for (const CKvString& kind : filter) {
            if (kind.CompareNoCase(dxfName) == 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

QString ViolationMarks::checkAll(CKvDocument& document, CKvStdsManager& manager)
{
    m_marks.clear();
    return run(document, manager, OdDbObjectIdArray());
}

QString ViolationMarks::checkRecords(CKvDocument& document, CKvStdsManager& manager,
                                     const OdDbObjectIdArray& ids)
{
    if (ids.isEmpty()) {
        return QString();
    }
    for (const OdDbObjectId& id : ids) {
        m_marks.erase(id);
    }
    return run(document, manager, ids);
}

const ViolationMarks::Mark* ViolationMarks::markOf(const OdDbObjectId& id) const
{
    const auto found = m_marks.find(id);
    return found == m_marks.end() ? nullptr : &found->second;
}

QString ViolationMarks::run(CKvDocument& document, CKvStdsManager& manager,
                            const OdDbObjectIdArray& ids)
{
    OdDbDatabase* db = document.database();
    if (!db || !manager.init(&document)) {
        m_marks.clear();
        return QString();
    }
    const std::vector<CKvString> paths = manager.getDwsPathArray();
    if (paths.empty()) {
        m_marks.clear();
        return QString();
    }
    std::vector<CKvString> names;
    for (const CKvString& path : paths) {
        names.push_back(CKvString(QFileInfo(path.toQString()).fileName()));
    }
    std::list<CKvStdsPluginsPtr> plugins;
    manager.getPluginList(plugins);
    try {
        for (const CKvStdsPluginsPtr& plugin : plugins) {
            if (plugin.isNull() || !plugin->Enabled() ||
                (!ids.isEmpty() && !handlesAny(*plugin, ids))) {
                continue;
            }
            plugin->Clear();
            plugin->SetContext(ids, ids.isEmpty());
            plugin->SetupForAudit(OdDbDatabasePtr(db), CKvString(db->getFilename()), names, paths);
            plugin->Start(CKvStdsErrorPtr());
            for (; !plugin->Done(); plugin->Next()) {
                const CKvStdsErrorPtr error = plugin->GetError();
                if (error.isNull()) {
                    continue;
                }
                loadIgnoredState(error);
                bool ignored = false;
                CKvString user;
                error->GetIgnoredState(ignored, user);
                Mark& mark = m_marks[error->GetObjectId()];
                mark.descriptions << error->GetDescription().toQString();
                mark.ignored = mark.ignored && ignored;
                if (ignored) {
                    mark.ignoredBy = user.toQString();
                }
            }
        }
    } catch (const OdError& error) {
        return CKvString(error.description()).toQString();
    }
    return QString();
}
