// OdRxIterator: walks a sequence of run-time objects. Start with done(); object() is the current
// one (null once done); next() advances and returns !done().
#ifndef OD_RX_ITERATOR_H
#define OD_RX_ITERATOR_H

#include <RxObject.h>

class OdRxIterator : public OdRxObject
{
public:
    virtual bool done() const = 0;
    virtual bool next() = 0;
    virtual OdRxObjectPtr object() const = 0;
};

typedef OdSmartPtr<OdRxIterator> OdRxIteratorPtr;

#endif  // OD_RX_ITERATOR_H
