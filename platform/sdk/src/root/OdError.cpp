#include <OdError.h>
#include <RxClass.h>

#include <string>

namespace {

OdString standardDescription(OdResult code)
{
    switch (code) {
#define OD_RESULT(name, number, description) \
    case name:                               \
        return OdString(description);
#include <OdResult.inc>
#undef OD_RESULT
    }
    return OdString().format(L"Unknown error %d", static_cast<int>(code));
}

OdString classNameOrPlaceholder(const OdRxClass* pClass)
{
    return pClass ? pClass->name() : OdString(L"(unregistered class)");
}

}  // namespace

struct OdError::Context
{
    OdResult code;
    OdString description;
    std::string utf8;
};

OdError::OdError(OdResult code)
{
    const OdString text = standardDescription(code);
    m_context = std::make_shared<const Context>(Context{code, text, text.toUtf8()});
}

OdError::OdError(const OdString& message, OdResult code)
{
    const OdString text = message.isEmpty() ? standardDescription(code) : message;
    m_context = std::make_shared<const Context>(Context{code, text, text.toUtf8()});
}

OdResult OdError::code() const noexcept
{
    return m_context->code;
}

OdString OdError::description() const
{
    return m_context->description;
}

const char* OdError::what() const noexcept
{
    return m_context->utf8.c_str();
}

OdError_NotThatKindOfClass::OdError_NotThatKindOfClass(const OdRxClass* pFrom, const OdRxClass* pTo)
    : OdError(OdString(L"Object of class ") + classNameOrPlaceholder(pFrom) +
                  L" cannot be cast to " + classNameOrPlaceholder(pTo),
              eNotThatKindOfClass)
{}

OdError_InvalidIndex::OdError_InvalidIndex() : OdError(eInvalidIndex) {}
