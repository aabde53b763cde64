// How long turning the background check's recorded set into the array it checks takes:
//   kv_changed_set_bench [N]     (default 80000)
// times CKvStdsManagerImpl::ConvertSetIntoArray for N ids against a baseline measured in the same
// run, copying the same set into a std::vector, and prints the ratio. A linear conversion costs a
// small multiple of the copy; a quadratic one hundreds of times it. Exits 1 above 20.
#include <CKvStdsManagerImpl.h>
#include <DbDatabase.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// Seconds per call of `work`, over calls repeated for at least a tenth of a second.
template <class Work>
double secondsPerCall(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    double took = 0;
    int calls = 0;
    while (took < 0.1) {
        work();
        ++calls;
        took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return took / calls;
}

}  // namespace

int main(int argc, char** argv)
{
    const size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 80000;
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    std::set<OdDbObjectId> set;
    for (size_t handle = 1; handle <= n; ++handle) {
        set.insert(db->getOdDbObjectId(OdDbHandle(0x10000 + handle), true));
    }
    size_t converted = 0;
    const double convert = secondsPerCall([&] {
        OdArray<OdDbObjectId> array;
        CKvStdsManagerImpl::ConvertSetIntoArray(set, array);
        converted = array.size();
    });
    size_t copied = 0;
    const double copy = secondsPerCall([&] {
        const std::vector<OdDbObjectId> vector(set.begin(), set.end());
        copied = vector.size();
    });
    if (converted != n || copied != n) {
        std::fprintf(stderr, "kv_changed_set_bench: %zu ids became %zu\n", n, converted);
        return 2;
    }
    const double ratio = convert / copy;
    std::printf("%zu ids: conversion %.6f s, copy %.6f s, ratio %.1f\n", n, convert, copy, ratio);
    return ratio > 20 ? 1 : 0;
}
