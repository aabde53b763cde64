#include "Tag.h"

namespace kvdxf {

ValueKind kindOf(int code)
{
    if (code < 0) {
        return ValueKind::String;
    }
    if (code < 10) {
        return code == 5 ? ValueKind::Handle : ValueKind::String;
    }
    if (code < 60) {
        return ValueKind::Double;
    }
    if (code < 80) {
        return ValueKind::Int16;
    }
    if (code < 90) {
        return ValueKind::String;
    }
    if (code < 100) {
        return ValueKind::Int32;
    }
    if (code == 105) {
        return ValueKind::Handle;
    }
    if (code >= 110 && code < 150) {
        return ValueKind::Double;
    }
    if (code >= 160 && code < 170) {
        return ValueKind::Int64;
    }
    if (code >= 170 && code < 180) {
        return ValueKind::Int16;
    }
    if (code >= 210 && code < 240) {
        return ValueKind::Double;
    }
    if (code >= 270 && code < 290) {
        return ValueKind::Int16;
    }
    if (code >= 290 && code < 300) {
        return ValueKind::Bool;
    }
    if (code >= 310 && code < 320) {
        return ValueKind::Binary;
    }
    if (code >= 320 && code < 370) {
        return ValueKind::Handle;
    }
    if (code >= 370 && code < 390) {
        return ValueKind::Int16;
    }
    if (code >= 390 && code < 400) {
        return ValueKind::Handle;
    }
    if (code >= 400 && code < 410) {
        return ValueKind::Int16;
    }
    if (code >= 420 && code < 430) {
        return ValueKind::Int32;
    }
    // 440-459: transparency and other longs.
    if (code >= 440 && code < 460) {
        return ValueKind::Int32;
    }
    if (code >= 460 && code < 470) {
        return ValueKind::Double;
    }
    if (code == 480 || code == 481) {
        return ValueKind::Handle;
    }
    if (code == 1004) {
        return ValueKind::Binary;
    }
    if (code == 1005) {
        return ValueKind::Handle;
    }
    if (code >= 1010 && code < 1060) {
        return ValueKind::Double;
    }
    if (code >= 1060 && code <= 1070) {
        return ValueKind::Int16;
    }
    if (code == 1071) {
        return ValueKind::Int32;
    }
    return ValueKind::String;
}

}  // namespace kvdxf
