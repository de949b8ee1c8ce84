#ifndef VARNEL_TESTS_MEMORYLIMIT_H
#define VARNEL_TESTS_MEMORYLIMIT_H

#include <QFile>
#include <QtGlobal>
#include <malloc.h>
#include <sys/resource.h>

namespace memory_limit {

constexpr qint64 MB = qint64(1) << 20;

// Sanitizers reserve terabytes of address space for their shadow memory, so no limit on it can
// be set under them.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool Available = false;
#elif defined(__has_feature)
constexpr bool Available = !__has_feature(address_sanitizer) && !__has_feature(thread_sanitizer);
#else
constexpr bool Available = true;
#endif

// Large blocks come from the system and go back to it when freed. Left to itself, glibc soon
// keeps freed large blocks for reuse, and an earlier test's block would then satisfy a later
// allocation that the limit below should refuse.
inline const int LargeBlocksFromTheSystem = mallopt(M_MMAP_THRESHOLD, 128 * 1024);

// The address space this process takes now, from /proc/self/status.
inline qint64 InUse() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line; !(line = status.readLine()).isEmpty();)
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// A limit holds only when the heap has no large free blocks left by earlier work in this
// process, which an allocation could take without asking for address space. Run alone (as ctest
// runs every test) a test always has a fresh heap.
inline bool Enforceable() {
    if (!Available)
        return false;
    malloc_trim(0);
    return mallinfo2().fordblks < 16 * MB;
}

// While it lives, this process may take only `headroom` bytes of address space beyond what it
// has, so that an allocation larger than that fails as it would on a full machine.
class Scope {
public:
    explicit Scope(qint64 headroom) {
        getrlimit(RLIMIT_AS, &previous_);
        const rlimit limit{rlim_t(InUse() + headroom), previous_.rlim_max};
        setrlimit(RLIMIT_AS, &limit);
    }
    ~Scope() { setrlimit(RLIMIT_AS, &previous_); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    rlimit previous_{};
};

} // namespace memory_limit

#endif
