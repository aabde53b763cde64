#include "Access.h"
#include "DatabaseImpl.h"
#include "DbLoader.h"
#include "UnreadObjects.h"
#include "dxf/DxfNumbers.h"
#include "dxf/DxfReader.h"

#include <DbObject.h>
#include <RxClass.h>

#include <algorithm>
#include <cctype>

namespace kvdb {

namespace {

class Writer
{
public:
    Writer(const DatabaseImpl& db, TagSink& sink) : m_db(db), m_sink(sink) {}

    void run()
    {
        for (size_t index = 0; index < m_db.layout.size(); ++index) {
            const SectionSlot& slot = m_db.layout[index];
            m_sink.write(0, "SECTION");
            m_sink.write(2, slot.name);
            switch (slot.kind) {
                case SectionSlot::Header:
                    writeHeader(index);
                    break;
                case SectionSlot::Tables:
                    writeTables(slot.items);
                    break;
                case SectionSlot::Blocks:
                    writeBlocks(slot.items);
                    break;
                case SectionSlot::Entities:
                    for (OdDbStub* stub : slot.items) {
                        writeEntity(stub);
                    }
                    break;
                case SectionSlot::Objects:
                    for (OdDbStub* stub : slot.items) {
                        writeObject(stub);
                    }
                    break;
                case SectionSlot::Raw:
                    for (const Tag& tag : slot.raw) {
                        m_sink.write(tag.code, tag.value());
                    }
                    break;
            }
            m_sink.write(0, "ENDSEC");
        }
        m_sink.write(0, "EOF");
    }

private:
    const DatabaseImpl& m_db;
    TagSink& m_sink;

    // The name of a record as its file holds it.
    static std::string_view rawName(const OdDbStub* target)
    {
        const TagList& tags = dataOf(target->object()).tags;
        for (size_t i = 1; i < tags.size(); ++i) {
            if (tags[i].code == 2) {
                return tags[i].value();
            }
        }
        return {};
    }

    // A reference keeps its own spelling while it names the record it was read with: files
    // write "CONTINUOUS" for Continuous, and a rename is the only reason to change it.
    static std::string_view nameFor(std::string_view written, std::string_view current)
    {
        if (written.size() == current.size() &&
            std::equal(written.begin(), written.end(), current.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return written;
        }
        return current;
    }

    void writeTags(const OdDbObject* object)
    {
        const ObjectData& data = dataOf(object);
        auto ref = data.refs.begin();
        for (size_t i = 0; i < data.tags.size(); ++i) {
            const Tag& tag = data.tags[i];
            if (ref != data.refs.end() && ref->tag == i) {
                const NameRef& r = *ref++;
                if (r.target != nullptr && r.target->hasObject()) {
                    m_sink.write(tag.code, nameFor(tag.value(), rawName(r.target)));
                    continue;
                }
            }
            m_sink.write(tag.code, tag.value());
        }
    }

    static bool skipped(const OdDbStub* stub)
    {
        if (stub == nullptr || !stub->hasObject()) {
            return true;
        }
        const OdDbObject* object = stub->resident();
        if (object == nullptr) {
            return false;  // unread: as the file holds it
        }
        const ObjectData& data = Access::state(object);
        return data.erased || data.synthetic;
    }

    // The groups of the object; those never read are the lines of the file they came from, which
    // are copied when writing them would give the same bytes.
    void writeGroups(const OdDbStub* stub)
    {
        std::string_view lines;
        bool verbatim = false;
        if (!unreadLines(stub, lines, verbatim)) {
            writeTags(stub->object());
        } else if (verbatim) {
            m_sink.writeLines(lines, stub->resident() == nullptr && stub->unread.inFile);
        } else {
            std::vector<Tag> tags;
            kvdxf::readCondensed(lines, tags);
            for (const Tag& tag : tags) {
                m_sink.write(tag.code, tag.value());
            }
        }
    }

    void writeObject(const OdDbStub* stub)
    {
        if (!skipped(stub)) {
            writeGroups(stub);
        }
    }

    void writeEntity(const OdDbStub* stub)
    {
        if (skipped(stub)) {
            return;
        }
        writeGroups(stub);
        for (const OdDbStub* sub : followersOf(m_db, stub)) {
            writeObject(sub);
        }
    }

    void writeHeader(size_t slot)
    {
        for (const HeaderVar& var : m_db.header) {
            if (var.slot != slot) {
                continue;
            }
            m_sink.write(9, "$" + var.name);
            for (size_t i = 0; i < var.values.size(); ++i) {
                const Tag& tag = var.values[i];
                if (i == 0 && var.name == "HANDSEED") {
                    uint64_t seed = 0;
                    kvdxf::parseHandle(tag.value(), seed);
                    const uint64_t last = lastWrittenHandle();
                    if (seed <= last) {
                        m_sink.write(tag.code, kvdxf::formatHandle(last + 1));
                        continue;
                    }
                } else if (i == 0 && var.hasRef && var.ref != nullptr &&
                           var.ref->object() != nullptr) {
                    m_sink.write(tag.code, nameFor(tag.value(), rawName(var.ref)));
                    continue;
                }
                m_sink.write(tag.code, tag.value());
            }
        }
    }

    // The highest handle the file holds. Records made up in memory only (blocks a drawing names
    // without defining them) are left out, so that converting a file again gives the same seed.
    uint64_t lastWrittenHandle() const
    {
        uint64_t last = 0;
        for (const OdDbStub& stub : m_db.stubs) {
            if (stub.handle > last && !skipped(&stub)) {
                last = stub.handle;
            }
        }
        return last;
    }

    void writeTables(const std::vector<OdDbStub*>& tables)
    {
        for (const OdDbStub* table : tables) {
            if (skipped(table)) {
                continue;
            }
            if (isDimStyleTable(table)) {
                writeDimStyleTable(table);
            } else {
                writeTags(table->object());
            }
            for (const OdDbStub* record : dataOf(table->object()).children) {
                writeObject(record);
            }
            const auto endtab = m_db.endtabs.find(const_cast<OdDbStub*>(table));
            if (endtab != m_db.endtabs.end() && !endtab->second.empty()) {
                for (const Tag& tag : endtab->second) {
                    m_sink.write(tag.code, tag.value());
                }
            } else {
                m_sink.write(0, "ENDTAB");
            }
        }
    }

    static bool isDimStyleTable(const OdDbStub* table)
    {
        const TagList& tags = dataOf(table->object()).tags;
        for (size_t i = 1; i < tags.size(); ++i) {
            if (tags[i].code == 100 && tags[i].value() == "AcDbDimStyleTable") {
                return true;
            }
        }
        return false;
    }

    // The dimension style table lists its records (71 count, 340 handles); the list must name
    // exactly the records written, so it is rewritten when records were added or erased.
    void writeDimStyleTable(const OdDbStub* table)
    {
        std::vector<std::string> live;
        for (const OdDbStub* record : dataOf(table->object()).children) {
            if (!skipped(record)) {
                live.push_back(kvdxf::formatHandle(record->handle));
            }
        }
        const TagList& tags = dataOf(table->object()).tags;
        size_t marker = 0;
        while (marker < tags.size() &&
               !(tags[marker].code == 100 && tags[marker].value() == "AcDbDimStyleTable")) {
            ++marker;
        }
        std::vector<std::string> listed;
        size_t end = marker + 1;
        for (; end < tags.size() && (tags[end].code == 71 || tags[end].code == 340); ++end) {
            if (tags[end].code == 340) {
                listed.emplace_back(tags[end].value());
            }
        }
        std::vector<std::string> a = live;
        std::vector<std::string> b = listed;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        if (a == b) {
            writeTags(table->object());
            return;
        }
        for (size_t i = 0; i <= marker && i < tags.size(); ++i) {
            m_sink.write(tags[i].code, tags[i].value());
        }
        m_sink.write(71, std::to_string(live.size()));
        for (const std::string& handle : live) {
            m_sink.write(340, handle);
        }
        for (size_t i = end; i < tags.size(); ++i) {
            m_sink.write(tags[i].code, tags[i].value());
        }
    }

    void writeBlocks(const std::vector<OdDbStub*>& blocks)
    {
        for (const OdDbStub* block : blocks) {
            const auto ends = m_db.blockEnds.find(const_cast<OdDbStub*>(block));
            if (ends == m_db.blockEnds.end() || (skipped(block) && !isSynthetic(block))) {
                continue;
            }
            writeObject(ends->second.first);
            for (const OdDbStub* entity : dataOf(block->object()).children) {
                if (placementOf(entity) == Placement::BlockEntity) {
                    writeEntity(entity);
                }
            }
            if (ends->second.second != nullptr) {
                writeObject(ends->second.second);
            }
        }
    }

    static bool isSynthetic(const OdDbStub* block)
    {
        const OdDbObject* object = block->resident();
        return object != nullptr && Access::state(object).synthetic &&
               !Access::state(object).erased;
    }
};

}  // namespace

void writeDatabase(const DatabaseImpl& db, TagSink& sink)
{
    Writer(db, sink).run();
}

}  // namespace kvdb
