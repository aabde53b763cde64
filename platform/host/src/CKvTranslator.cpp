#include <CKvTranslator.h>

#include <QCoreApplication>

CKvTranslator::CKvTranslator(const QString& catalogue, const QString& folder, const QLocale& locale)
{
    m_installed = m_translator.load(locale, catalogue, QStringLiteral("_"), folder) &&
                  QCoreApplication::installTranslator(&m_translator);
}

CKvTranslator::~CKvTranslator()
{
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
    }
}
