// How the program's memory is set up before it reads any drawing.
#pragma once

// A drawing is read into millions of small blocks, which the C library takes from memory the
// process has never used, one small page at a time; each first touch of a page is a page fault,
// and in a virtual machine a dear one. Backed by huge pages the heap needs a few hundred faults
// instead of hundreds of thousands, and a fresh process reads a large drawing in about half the
// time. The C library offers this only through its GLIBC_TUNABLES variable at start-up, so the
// program starts itself again once with it set. Nothing happens when the variable already
// names the setting (set it to glibc.malloc.hugetlb=0 to keep the ordinary heap) or when the
// system offers no huge pages; when starting again fails, the program goes on as it is.
void restartWithHugePageHeap(char** argv);
