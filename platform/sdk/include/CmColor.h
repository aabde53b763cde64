// OdCmColor: a colour as drawings store it — by layer, by block, an index into the 256-colour
// palette (ACI), or a true colour, optionally named in a colour book. A plain value type.
//
// Contract:
// - A default colour is ByLayer.
// - colorIndex(): 256 for ByLayer, 0 for ByBlock, 7 for Foreground, the palette index for ACI, and
//   for a true colour the index it was given with (drawings store both; see setRGB).
// - setColorIndex(i): 0 gives ByBlock, 256 ByLayer, 1..255 an ACI colour (7 is the
//   white/black foreground colour of the palette). Anything else raises OdError(eBadColorIndex).
//   Colour-book names are cleared.
// - setRGB(r, g, b): a true colour. The palette index is kept when it is 1..255 (a drawing gives
//   the index first, then the true colour); otherwise it becomes the nearest palette colour.
//   Colour-book names are cleared.
// - setColorMethod(m): ByLayer/ByBlock/Foreground set their index (256/0/7); ACI keeps a palette
//   index or takes 7; every method but true colour clears the RGB value and the names.
// - setNames(color, book): names a true colour; returns false and changes nothing for any other
//   kind of colour.
// - red()/green()/blue(): the true colour, or the palette colour of an ACI index; 0 otherwise.
// - color(): the colour method in the top byte, then 0x00RRGGBB for a true colour or the index
//   for the others.
// - colorNameForDisplay(): "ByLayer", "ByBlock", "red" "yellow" "green" "cyan" "blue" "magenta"
//   "white" for indexes 1..7, the decimal index for other indexes, "R,G,B" for a true colour
//   ("255,128,0"), "BOOK$NAME" for a colour-book colour (only "NAME" when the book is unnamed),
//   "Foreground", "ByPen" and "None" for the remaining methods.
// - == compares the colour method and what it means: the index for ByLayer/ByBlock/ACI, the RGB
//   value and the names for a true colour (a true colour never equals an ACI colour, whatever
//   its index).
#ifndef OD_CM_COLOR_H
#define OD_CM_COLOR_H

#include <OdString.h>
#include <OdTypes.h>

class OdCmEntityColor
{
public:
    enum ColorMethod {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kByPen = 0xC4,
        kForeground = 0xC5,
        kNone = 0xC8
    };
    enum ACIcolorMethod { kACIbyBlock = 0, kACIforeground = 7, kACIbyLayer = 256 };

    // 0x00RRGGBB of a palette index (index 0 and 256 give black, as do values outside 0..256).
    static OdUInt32 lookUpRGB(int colorIndex);
    // The palette index 1..255 nearest to a colour.
    static OdUInt8 lookUpACI(OdUInt8 red, OdUInt8 green, OdUInt8 blue);
};

class OdCmColor
{
public:
    OdCmColor() = default;

    static OdCmColor byLayer();
    static OdCmColor byBlock();
    // Same rules as setColorIndex.
    static OdCmColor fromIndex(int colorIndex);

    OdCmEntityColor::ColorMethod colorMethod() const noexcept { return m_method; }
    void setColorMethod(OdCmEntityColor::ColorMethod method);

    OdInt16 colorIndex() const noexcept { return m_index; }
    void setColorIndex(OdInt16 colorIndex);

    void setRGB(OdUInt8 red, OdUInt8 green, OdUInt8 blue);
    OdUInt8 red() const noexcept;
    OdUInt8 green() const noexcept;
    OdUInt8 blue() const noexcept;
    OdUInt32 color() const noexcept;

    bool isByLayer() const noexcept { return m_method == OdCmEntityColor::kByLayer; }
    bool isByBlock() const noexcept { return m_method == OdCmEntityColor::kByBlock; }
    bool isByACI() const noexcept { return m_method == OdCmEntityColor::kByACI; }
    bool isByColor() const noexcept { return m_method == OdCmEntityColor::kByColor; }
    bool isForeground() const noexcept { return m_method == OdCmEntityColor::kForeground; }
    bool isNone() const noexcept { return m_method == OdCmEntityColor::kNone; }

    bool setNames(const OdString& colorName, const OdString& bookName = OdString());
    OdString colorName() const { return m_colorName; }
    OdString bookName() const { return m_bookName; }
    OdString colorNameForDisplay() const;

    bool operator==(const OdCmColor& other) const;
    bool operator!=(const OdCmColor& other) const { return !(*this == other); }

private:
    OdCmEntityColor::ColorMethod m_method = OdCmEntityColor::kByLayer;
    OdInt16 m_index = OdCmEntityColor::kACIbyLayer;
    OdUInt32 m_rgb = 0;  // 0x00RRGGBB, true colours only
    OdString m_colorName;
    OdString m_bookName;
};

#endif  // OD_CM_COLOR_H
