#include "DbLayouts.h"

#include "Access.h"
#include "DatabaseImpl.h"
#include "TagOps.h"
#include "dxf/DxfNumbers.h"

#include <DbDictionary.h>
#include <DbSymbolTableRecord.h>

#include <algorithm>

namespace kvdb {

namespace {

const char* const kLayout = "AcDbLayout";
const char* const kBlockRecord = "AcDbBlockTableRecord";

class LayoutLinks
{
public:
    explicit LayoutLinks(DatabaseImpl& db) : m_db(db) {}

    void repair()
    {
        collect();
        for (OdDbStub* layout : m_layouts) {
            const OdUInt64 named = getHandle(layout->object(), 330, kLayout);
            if (!isBlock(m_db.stubOf(named))) {
                relinkLayout(layout, named);
            }
        }
        for (OdDbStub* block : m_blocks) {
            const OdUInt64 named = getHandle(block->object(), 340, kBlockRecord);
            OdDbStub* layout = m_db.stubOf(named);
            if (named != 0 &&
                std::find(m_layouts.begin(), m_layouts.end(), layout) == m_layouts.end()) {
                relinkBlock(block, named);
            } else if (named == 0 && layoutOf(block) != nullptr) {
                // A layout block that does not name its layout yet (an upgraded drawing).
                setRaw(block->object(), 340, kvdxf::formatHandle(layoutOf(block)->handle),
                       kBlockRecord);
            }
        }
    }

private:
    DatabaseImpl& m_db;
    std::vector<OdDbStub*> m_layouts;
    std::vector<OdDbStub*> m_blocks;

    void collect()
    {
        const OdDbDictionaryPtr root = OdDbDictionary::cast(m_db.namedObjects->object());
        const OdDbDictionaryPtr layouts =
            root.isNull() ? OdDbDictionaryPtr()
                          : OdDbDictionary::cast(root->getAt(OdString("ACAD_LAYOUT")).openObject());
        if (layouts.isNull()) {
            return;
        }
        for (OdDbDictionaryIteratorPtr it = layouts->newIterator(false); !it->done(); it->next()) {
            OdDbStub* layout = it->objectId().stub();
            if (layout != nullptr && layout->object() != nullptr &&
                dataOf(layout->object()).tags[0].value() == "LAYOUT") {
                m_layouts.push_back(layout);
            }
        }
        for (OdDbStub* block : dataOf(m_db.blockTable->object()).children) {
            if (isBlock(block)) {
                m_blocks.push_back(block);
            }
        }
    }

    bool isBlock(const OdDbStub* stub) const
    {
        return stub != nullptr && stub->object() != nullptr && !dataOf(stub->object()).erased &&
               !dataOf(stub->object()).synthetic && dataOf(stub->object()).owner == m_db.blockTable;
    }

    // The layout whose block link names this block.
    OdDbStub* layoutOf(const OdDbStub* block) const
    {
        for (OdDbStub* layout : m_layouts) {
            if (getHandle(layout->object(), 330, kLayout) == block->handle) {
                return layout;
            }
        }
        return nullptr;
    }

    OdDbStub* blockNamed(const char* name) const
    {
        OdDbStub* block = m_db.lookup(m_db.blockTable, OdString(name));
        return isBlock(block) ? block : nullptr;
    }

    void relinkLayout(OdDbStub* layout, OdUInt64 named)
    {
        OdDbStub* block = nullptr;
        for (OdDbStub* candidate : m_blocks) {
            if (getHandle(candidate->object(), 340, kBlockRecord) == layout->handle) {
                block = candidate;
                break;
            }
        }
        const OdString name = getString(layout->object(), 1, kLayout);
        if (block == nullptr && name.iCompare(OdString("Model")) == 0) {
            block = blockNamed("*Model_Space");
        } else if (block == nullptr) {
            OdDbStub* paper = blockNamed("*Paper_Space");
            if (paper != nullptr && layoutOf(paper) == nullptr) {
                block = paper;
            }
        }
        if (block == nullptr && named == 0) {
            return;  // a link cleared before, with no block for it still
        }
        std::string message = "layout \"" + name.toUtf8() + "\" names block " +
                              kvdxf::formatHandle(named) + ", which does not exist; ";
        if (block != nullptr) {
            setRaw(layout->object(), 330, kvdxf::formatHandle(block->handle), kLayout);
            message += "it is linked to block \"" +
                       static_cast<OdDbSymbolTableRecord*>(block->object())->getName().toUtf8() +
                       "\"";
        } else {
            setRaw(layout->object(), 330, "0", kLayout);
            message += "no block is left for it; the link is cleared";
        }
        m_db.messages.push_back(m_db.path + ": " + message);
    }

    void relinkBlock(OdDbStub* block, OdUInt64 named)
    {
        OdDbStub* layout = layoutOf(block);
        setRaw(block->object(), 340, layout != nullptr ? kvdxf::formatHandle(layout->handle) : "0",
               kBlockRecord);
        m_db.messages.push_back(
            m_db.path + ": block \"" +
            static_cast<OdDbSymbolTableRecord*>(block->object())->getName().toUtf8() +
            "\" names layout " + kvdxf::formatHandle(named) + ", which does not exist; " +
            (layout != nullptr ? "it is linked to layout \"" +
                                     getString(layout->object(), 1, kLayout).toUtf8() + "\""
                               : std::string("the link is cleared")));
    }
};

}  // namespace

void repairLayoutLinks(DatabaseImpl& db)
{
    if (db.namedObjects != nullptr && db.blockTable != nullptr) {
        LayoutLinks(db).repair();
    }
}

}  // namespace kvdb
