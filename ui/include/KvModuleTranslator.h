// KvModuleTranslator: the module's texts in the user's language. While the object lives, the
// module's catalogue ("kvstandards_<language>.qm", built into the module) for the languages of
// QLocale() is installed into the application; without one for them the texts stay English.
// The module object holds one from initApp to uninitApp, so that the catalogue is gone before
// the module is unloaded.
#ifndef KV_KV_MODULE_TRANSLATOR_H
#define KV_KV_MODULE_TRANSLATOR_H

#include <QTranslator>

class KvModuleTranslator
{
public:
    KvModuleTranslator();
    ~KvModuleTranslator();
    KvModuleTranslator(const KvModuleTranslator&) = delete;
    KvModuleTranslator& operator=(const KvModuleTranslator&) = delete;

    bool isInstalled() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

#endif  // KV_KV_MODULE_TRANSLATOR_H
