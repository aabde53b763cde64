#include "KvModuleTranslator.h"

#include <QCoreApplication>
#include <QLocale>

KvModuleTranslator::KvModuleTranslator()
{
    // The catalogues are compiled into this static library; registering them here keeps the
    // linker from leaving them out of the module, and the destructor takes them back before the
    // module is unloaded.
    Q_INIT_RESOURCE(kvstandards_translations);
    m_installed = m_translator.load(QLocale(), QStringLiteral("kvstandards"), QStringLiteral("_"),
                                    QStringLiteral(":/translations")) &&
                  QCoreApplication::installTranslator(&m_translator);
}

KvModuleTranslator::~KvModuleTranslator()
{
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
    }
    Q_CLEANUP_RESOURCE(kvstandards_translations);
}
