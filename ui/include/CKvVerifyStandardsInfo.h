// CKvVerifyStandardsInfo: one standards violation as the Verify Standards dialog walks it: the
// error a plug-in reported, that plug-in (the one asked for the property differences and the fix),
// the candidate fixes in the plug-in's order, which of them the plug-in recommends, and what has
// become of the violation during the verification.
//
// A value type: copies share the error, the plug-in and the fix array (which is copy-on-write).
// A default record has no error, no plug-in, no fixes, no recommended fix (-1), no ignoring user
// and every flag false.
#ifndef KV_CKV_VERIFY_STANDARDS_INFO_H
#define KV_CKV_VERIFY_STANDARDS_INFO_H

#include <CKvStdsError.h>
#include <CKvStdsFix.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <OdArray.h>

#include <SmartPtr.h>

class CKvVerifyStandardsInfo
{
public:
    void setError(OdSmartPtr<CKvStdsError> error);
    OdSmartPtr<CKvStdsError> getError() const;
    void setCurrentPlugin(OdSmartPtr<CKvStdsPlugins> plugin);
    OdSmartPtr<CKvStdsPlugins> getCurrentPlugin() const;
    void setFixArray(OdArray<OdSmartPtr<CKvStdsFix>> fixes);
    OdArray<OdSmartPtr<CKvStdsFix>> getFixArray() const;
    // An index into the fix array, or -1 for none.
    void setRecommendedFixIdx(int index);
    int getRecommendedFixIdx() const;
    // The login name stored with the ignored mark.
    void setIgnoredByUserName(CKvString userName);
    CKvString getIgnoredByUserName() const;
    // Fixed by the automatic fix.
    void setIsFixed(bool fixed);
    bool getIsFixed() const;
    // Marked as ignored, in this verification or in the drawing by an earlier one.
    void setIsIgnored(bool ignored);
    bool getIsIgnored() const;
    // Fixed by the user with the Fix button.
    void setIsManualFixed(bool fixed);
    bool getIsManualFixed() const;

private:
    OdSmartPtr<CKvStdsError> m_pError;
    OdSmartPtr<CKvStdsPlugins> m_pCurrentPlugin;
    OdArray<OdSmartPtr<CKvStdsFix>> m_fixArray;
    int m_recommendedFixIdx = -1;
    CKvString m_ignoredByUserName;
    bool m_isFixed = false;
    bool m_isIgnored = false;
    bool m_isManualFixed = false;
};

#endif  // KV_CKV_VERIFY_STANDARDS_INFO_H
