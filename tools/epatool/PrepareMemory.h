#ifndef VARNEL_TOOLS_EPATOOL_PREPAREMEMORY_H
#define VARNEL_TOOLS_EPATOOL_PREPAREMEMORY_H

// A run holds a few pictures of a megabyte or more, made and freed in turn. Kept in one heap
// that grows in large steps and keeps what is freed, they reuse the pages already touched, and
// where the system offers large pages the heap is backed by them. In a virtual machine the first
// touch of a page costs several microseconds, more than a logo's work on it, and a full-screen
// logo touches a few thousand.
// Only glibc's allocator takes these settings; elsewhere the heap is left as the system makes it.
void PrepareMemory();

#endif
