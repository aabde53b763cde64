// Result codes of the SDK, generated from OdResult.inc. Functions that return an OdResult mark it
// [[nodiscard]]; errors thrown as OdError carry one (see OdError.h).
#ifndef OD_RESULT_H
#define OD_RESULT_H

enum OdResult : int {
#define OD_RESULT(name, number, description) name = number,
#include "OdResult.inc"
#undef OD_RESULT
};

static_assert(eOk == 0 && eOutOfMemory == 9 && eUndefinedLineType == 156 &&
                  eNoClassDescription == 254 && eAlreadyRegistered == 313,
              "published result numbers never change");

#endif  // OD_RESULT_H
