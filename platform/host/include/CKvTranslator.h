// CKvTranslator: a catalogue of translated texts installed into the application while the object
// lives. The catalogue "<name>_<language>.qm" is looked up in the folder (the resources'
// ":/translations" unless told) for the languages of the locale, the user's first
// (QLocale::uiLanguages); without one for them the texts stay as written. The host's own texts
// are the catalogue "kvhost", built into this library; a program or library that ships another
// catalogue registers its resource first. Qt's own texts (the standard buttons) are "qtbase" in
// Qt's translations folder (QLibraryInfo::TranslationsPath).
#ifndef KV_CKV_TRANSLATOR_H
#define KV_CKV_TRANSLATOR_H

#include <QLocale>
#include <QString>
#include <QTranslator>

class CKvTranslator
{
public:
    explicit CKvTranslator(const QString& catalogue,
                           const QString& folder = QStringLiteral(":/translations"),
                           const QLocale& locale = QLocale());
    ~CKvTranslator();
    CKvTranslator(const CKvTranslator&) = delete;
    CKvTranslator& operator=(const CKvTranslator&) = delete;

    // Whether a catalogue for the locale was found and installed.
    bool isInstalled() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

#endif  // KV_CKV_TRANSLATOR_H
