#ifndef VARNEL_RUNTIME_INOUTERROR_H
#define VARNEL_RUNTIME_INOUTERROR_H

#include "runtime/Exception.h"

// A failed open, read, write, close, delete or rename, carrying the runtime's code:
// 2 "File not found", 5 "File access denied", 100 "Read beyond end of file", 101 "Disk full",
// anything else "I/O error <code>".
class EInOutError : public Exception {
public:
    explicit EInOutError(int code, int systemError = 0)
        : Exception(MessageFor(code)), code_(code), systemError_(systemError) {}
    // The error of a failed C library call; no errno at all counts as a plain I/O failure.
    static EInOutError FromErrno(int error);

    // The same error, telling which file it befell. The message stays the runtime's own; a
    // caller that reports more than that (epatool) names the file itself.
    EInOutError Named(const QString& fileName) const {
        EInOutError named = *this;
        named.fileName_ = fileName;
        return named;
    }
    // Empty when the failure was not told which file it befell.
    const QString& FileName() const { return fileName_; }

    int ErrorCode() const { return code_; }
    // The C library's errno behind the failure, for callers that report the system's own reason;
    // 0 when there is none.
    int SystemError() const { return systemError_; }

    static QString MessageFor(int code);
    // The runtime's code for a C library errno value.
    static int CodeForErrno(int error);

private:
    int code_;
    int systemError_;
    QString fileName_;
};

#endif
