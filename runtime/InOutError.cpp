#include "runtime/InOutError.h"

#include <cerrno>

EInOutError EInOutError::FromErrno(int error) {
    if (error == 0)
        error = EIO;
    return EInOutError(CodeForErrno(error), error);
}

QString EInOutError::MessageFor(int code) {
    switch (code) {
    case 2:
        return QStringLiteral("File not found");
    case 5:
        return QStringLiteral("File access denied");
    case 100:
        return QStringLiteral("Read beyond end of file");
    case 101:
        return QStringLiteral("Disk full");
    default:
        return QStringLiteral("I/O error %1").arg(code);
    }
}

int EInOutError::CodeForErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return 2;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return 5;
    case ENOSPC:
    case EDQUOT:
        return 101;
    default:
        return error;
    }
}
