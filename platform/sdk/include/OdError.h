// OdError: the exception the SDK throws for a contract violation. It carries an OdResult code and,
// optionally, a message of its own.
//
// Contract:
// - code() is the result code; description() is the message given to the constructor, or the
//   standard description of the code (from OdResult.inc) when there is none; what() is
//   description() in UTF-8.
// - Copies are cheap and never throw (the context is shared).
// - OdError_NotThatKindOfClass: a cast or smart-pointer assignment to a class the object is not
//   derived from (code eNotThatKindOfClass). OdError_InvalidIndex: an array index out of range
//   (code eInvalidIndex). Catch them as OdError or by their own type.
#ifndef OD_ERROR_H
#define OD_ERROR_H

#include <OdResult.h>
#include <OdString.h>

#include <exception>
#include <memory>

class OdRxClass;

class OdError : public std::exception
{
public:
    explicit OdError(OdResult code);
    explicit OdError(const OdString& message, OdResult code = eExtendedError);

    OdResult code() const noexcept;
    OdString description() const;
    const char* what() const noexcept override;

private:
    struct Context;
    std::shared_ptr<const Context> m_context;
};

class OdError_NotThatKindOfClass : public OdError
{
public:
    // Either class may be null (an object or target whose class is not registered).
    OdError_NotThatKindOfClass(const OdRxClass* pFrom, const OdRxClass* pTo);
};

class OdError_InvalidIndex : public OdError
{
public:
    OdError_InvalidIndex();
};

#endif  // OD_ERROR_H
