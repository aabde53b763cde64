#pragma once

#include <DbObjectId.h>
#include <OdString.h>

// How a text style is drawn: the font file and whether it is a compiled shape (SHX) font.
class OdGiTextStyle
{
public:
    OdString fileName() const { return m_fileName; }
    OdString bigFontFileName() const { return m_bigFontFileName; }
    // A font file ending in ".shx", or with no extension, is a shape font; any other is TrueType.
    bool isShxFont() const { return m_shx; }
    bool isTtfFont() const { return !m_shx; }

    void set(const OdString& fileName, const OdString& bigFontFileName);

private:
    OdString m_fileName;
    OdString m_bigFontFileName;
    bool m_shx = true;
};

// Describes the text style record `styleId` (left unchanged when it is not a text style).
void giFromDbTextStyle(const OdDbObjectId& styleId, OdGiTextStyle& style);
