#include "DimStyleProperties.h"

#include "CKvDimStylePluginImpl.h"

#include <CKvDatabase.h>
#include <CKvObjectAnnotationContext.h>
#include <DbDimStyleTableRecord.h>

#include <QtGlobal>

#include <iterator>

namespace {

CKvString renderAnnotative(const OdDbDimStyleTableRecord& record)
{
    return CKvDimStylePluginImpl::toString(
        CKvObjectAnnotationContext::IsAnnotative(record.objectId(), nullptr));
}

}  // namespace

// A row of a plain dimension variable: rendered from its getter, copied with its setter, which
// the style and the drawing share.
// clang-format off
#define KV_DIMPROP(entry, getter, setter, description)                                    \
    {                                                                                     \
        #entry, description,                                                              \
        [](const OdDbDimStyleTableRecord& r) {                                            \
            return CKvDimStylePluginImpl::toString(r.getter());                           \
        },                                                                                \
        [](OdDbDimStyleTableRecord& to, CKvDatabase& drawing,                             \
           const OdDbDimStyleTableRecord& from) {                                         \
            to.setter(from.getter());                                                     \
            drawing.setter(from.getter());                                                \
        },                                                                                \
        DimStyleReference::kNone, nullptr, nullptr                                        \
    }

// A row of a dimension variable that names a record of one of the drawing's tables.
#define KV_DIMREF(entry, getter, setter, table, description)                              \
    {                                                                                     \
        #entry, description,                                                              \
        [](const OdDbDimStyleTableRecord& r) {                                            \
            return CKvDimStylePluginImpl::toString(r.getter());                           \
        },                                                                                \
        nullptr, DimStyleReference::table,                                                \
        [](const OdDbDimStyleTableRecord& from) { return from.getter(); },                \
        [](OdDbDimStyleTableRecord& to, CKvDatabase& drawing, OdDbObjectId id) {          \
            to.setter(id);                                                                \
            drawing.setter(id);                                                           \
        }                                                                                 \
    }
// clang-format on

const DimStyleProperty kDimStyleProperties[] = {
    KV_DIMPROP(DIMADEC, dimadec, setDimadec,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Angle precision")),
    KV_DIMPROP(DIMALT, dimalt, setDimalt,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alternate UnitSystem")),
    KV_DIMPROP(DIMALTD, dimaltd, setDimaltd,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt precision")),
    KV_DIMPROP(DIMALTF, dimaltf, setDimaltf,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt scale")),
    KV_DIMPROP(DIMALTRND, dimaltrnd, setDimaltrnd,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt roundoff")),
    KV_DIMPROP(DIMALTTD, dimalttd, setDimalttd,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt tol precision")),
    KV_DIMPROP(DIMALTTZ, dimalttz, setDimalttz,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt tol zeroes")),
    KV_DIMPROP(DIMALTU, dimaltu, setDimaltu,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt UnitSystem")),
    KV_DIMPROP(DIMALTZ, dimaltz, setDimaltz,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt zeroes")),
    KV_DIMPROP(DIMAPOST, dimapost, setDimapost,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Alt prefix and suffix")),
    KV_DIMPROP(DIMASZ, dimasz, setDimasz, QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Arrow size")),
    KV_DIMPROP(DIMATFIT, dimatfit, setDimatfit,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Fit arrow and text")),
    KV_DIMPROP(DIMAUNIT, dimaunit, setDimaunit,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Angle format")),
    KV_DIMPROP(DIMAZIN, dimazin, setDimazin,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Angle zero suppression")),
    KV_DIMREF(DIMBLK, dimblk, setDimblk, kBlock,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Arrow")),
    KV_DIMREF(DIMBLK1, dimblk1, setDimblk1, kBlock,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Arrow 1")),
    KV_DIMREF(DIMBLK2, dimblk2, setDimblk2, kBlock,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Arrow 2")),
    KV_DIMPROP(DIMCEN, dimcen, setDimcen,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Center mark size")),
    KV_DIMPROP(DIMCLRD, dimclrd, setDimclrd,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dim line color")),
    KV_DIMPROP(DIMCLRE, dimclre, setDimclre,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Ext line color")),
    KV_DIMPROP(DIMCLRT, dimclrt, setDimclrt,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text color")),
    KV_DIMPROP(DIMDEC, dimdec, setDimdec, QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Precision")),
    KV_DIMPROP(DIMDLE, dimdle, setDimdle,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dim line ext")),
    KV_DIMPROP(DIMDLI, dimdli, setDimdli,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dim line spacing")),
    KV_DIMPROP(DIMDSEP, dimdsep, setDimdsep,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Decimal separator")),
    KV_DIMPROP(DIMEXE, dimexe, setDimexe,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Ext line extension")),
    KV_DIMPROP(DIMEXO, dimexo, setDimexo,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Ext line offset")),
    KV_DIMPROP(DIMFRAC, dimfrac, setDimfrac,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Fraction format")),
    KV_DIMPROP(DIMGAP, dimgap, setDimgap,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text offset")),
    KV_DIMPROP(DIMJUST, dimjust, setDimjust,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text pos hor")),
    KV_DIMREF(DIMLDRBLK, dimldrblk, setDimldrblk, kBlock,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Leader arrow")),
    KV_DIMPROP(DIMLFAC, dimlfac, setDimlfac,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Length scale")),
    KV_DIMPROP(DIMLIM, dimlim, setDimlim, QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol limits")),
    KV_DIMPROP(DIMLUNIT, dimlunit, setDimlunit,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Length UnitSystem")),
    KV_DIMPROP(DIMLWD, dimlwd, setDimlwd,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dim line lineweight")),
    KV_DIMPROP(DIMLWE, dimlwe, setDimlwe,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Ext line lineweight")),
    KV_DIMPROP(DIMPOST, dimpost, setDimpost,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text prefix and suffix")),
    KV_DIMPROP(DIMRND, dimrnd, setDimrnd, QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Roundoff")),
    KV_DIMPROP(DIMSAH, dimsah, setDimsah,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Separate arrows")),
    KV_DIMPROP(DIMSCALE, dimscale, setDimscale,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Overall scale")),
    KV_DIMPROP(DIMSD1, dimsd1, setDimsd1,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "No dim line 1")),
    KV_DIMPROP(DIMSD2, dimsd2, setDimsd2,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "No dim line 2")),
    KV_DIMPROP(DIMSE1, dimse1, setDimse1,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "No ext line 1")),
    KV_DIMPROP(DIMSE2, dimse2, setDimse2,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "No ext line 2")),
    KV_DIMPROP(DIMSOXD, dimsoxd, setDimsoxd,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "No dim lines outside")),
    KV_DIMPROP(DIMTAD, dimtad, setDimtad,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text pos vert")),
    KV_DIMPROP(DIMTDEC, dimtdec, setDimtdec,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol precision")),
    KV_DIMPROP(DIMTFAC, dimtfac, setDimtfac,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol text scale")),
    KV_DIMPROP(DIMTIH, dimtih, setDimtih,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text inside align")),
    KV_DIMPROP(DIMTIX, dimtix, setDimtix,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text inside")),
    KV_DIMPROP(DIMTM, dimtm, setDimtm, QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol dev lower")),
    KV_DIMPROP(DIMTMOVE, dimtmove, setDimtmove,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Fit text movement")),
    KV_DIMPROP(DIMTOFL, dimtofl, setDimtofl,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dim line forced")),
    KV_DIMPROP(DIMTOH, dimtoh, setDimtoh,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text outside align")),
    KV_DIMPROP(DIMTOL, dimtol, setDimtol,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol deviation")),
    KV_DIMPROP(DIMTOLJ, dimtolj, setDimtolj,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol pos vert")),
    KV_DIMPROP(DIMTP, dimtp, setDimtp, QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol dev upper")),
    KV_DIMPROP(DIMTSZ, dimtsz, setDimtsz,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Stroke size")),
    KV_DIMPROP(DIMTVP, dimtvp, setDimtvp,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text pos vert")),
    KV_DIMREF(DIMTXSTY, dimtxsty, setDimtxsty, kTextStyle,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "TextStyle")),
    KV_DIMPROP(DIMTXT, dimtxt, setDimtxt,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text height")),
    KV_DIMPROP(DIMTZIN, dimtzin, setDimtzin,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Tol zero suppression")),
    KV_DIMPROP(DIMUPT, dimupt, setDimupt,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "User-positioned text")),
    KV_DIMPROP(DIMZIN, dimzin, setDimzin,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Zero suppression")),
    KV_DIMPROP(DIMFXL, dimfxl, setDimfxl,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Fixed ext line length")),
    KV_DIMPROP(DIMFXLON, dimfxlon, setDimfxlon,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Fixed ext line enabled")),
    KV_DIMPROP(DIMJOGANG, dimjogang, setDimjogang,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Large rad dim jog angle")),
    KV_DIMPROP(DIMTFILL, dimtfill, setDimtfill,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text background enabled")),
    KV_DIMPROP(DIMTFILLCLR, dimtfillclr, setDimtfillclr,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Text background color")),
    KV_DIMPROP(DIMARCSYM, dimarcsym, setDimarcsym,
               QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Arc len symbol")),
    KV_DIMREF(DIMLTYPE, dimltype, setDimltype, kLinetype,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dim line linetype")),
    KV_DIMREF(DIMLTEX1, dimltex1, setDimltex1, kLinetype,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Ext line 1 linetype")),
    KV_DIMREF(DIMLTEX2, dimltex2, setDimltex2, kLinetype,
              QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Ext line 2 linetype")),
    KV_DIMPROP(DIMTXTDIRECTION, dimtxtdirection, setDimtxtdirection, nullptr),
    KV_DIMPROP(DIMMZF, dimmzf, setDimmzf, nullptr),
    KV_DIMPROP(DIMMZS, dimmzs, setDimmzs, nullptr),
    KV_DIMPROP(DIMALTMZF, dimaltmzf, setDimaltmzf, nullptr),
    KV_DIMPROP(DIMALTMZS, dimaltmzs, setDimaltmzs, nullptr),
    // The annotative flag is the host's, kept beside the dimension variables.
    {"ANNOTATIVE", QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Annotative"), &renderAnnotative,
     nullptr, DimStyleReference::kNone, nullptr, nullptr},
};

#undef KV_DIMPROP
#undef KV_DIMREF

const size_t kDimStylePropertyCount = std::size(kDimStyleProperties);
static_assert(std::size(kDimStyleProperties) == 79, "the check compares exactly 79 properties");
