#include "runtime/LocalFiles.h"

#include "runtime/ByteFile.h"
#include "runtime/InOutError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#endif

namespace LocalFiles {

namespace {

namespace fs = std::filesystem;

fs::path NativePath(const QString& fileName) {
#ifdef Q_OS_WIN
    return fs::path(fileName.toStdWString());
#else
    return fs::path(EncodedName(fileName).toStdString());
#endif
}

std::error_code ErrnoError(int error) {
    return {error ? error : EIO, std::generic_category()};
}

[[noreturn]] void CannotWrite(const QString& fileName, const std::error_code& error) {
    throw Exception(QStringLiteral("Cannot write %1: %2").arg(fileName, Reason(error)));
}

// A new file of a free name beside `fileName`, holding `bytes`. The name does not grow with
// `fileName`, so a name just short of the system's limit still fits.
template <typename Fail>
QString WriteTemporaryBeside(const QString& fileName, const QByteArray& bytes, Fail fail) {
    const QDir folder = QFileInfo(fileName).dir();
    for (int attempt = 1;; ++attempt) {
        const QString temporary = folder.filePath(
            QStringLiteral(".varnel-%1.tmp")
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        TByteFile file(temporary);
        try {
            file.CreateNew();
        } catch (const EInOutError& e) {
            if (e.SystemError() == EEXIST && attempt < 16)
                continue;
            fail(e.SystemError());
        }
        try {
            file.Write(bytes);
            file.Close();
        } catch (const EInOutError& e) {
            QFile::remove(temporary);
            fail(e.SystemError());
        }
        return temporary;
    }
}

} // namespace

QByteArray EncodedName(const QString& fileName) {
    const QByteArray encoded = QFile::encodeName(fileName);
    if (fileName.contains(QChar(0)) || QFile::decodeName(encoded) != fileName)
        throw Exception(QStringLiteral("The file name \"%1\" cannot be spelt in this system's "
                                       "encoding; choose another name.")
                            .arg(fileName));
    return encoded;
}

QString DecodedName(const QByteArray& bytes) {
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) != bytes)
        throw Exception(QStringLiteral("The name \"%1\" is not valid in this system's encoding; "
                                       "rename the file first.")
                            .arg(name));
    return name;
}

void RequirePlainName(const QString& name) {
    const bool drive = name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].unicode() < 128 &&
                       name[0].isLetter();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || drive)
        throw Exception(QStringLiteral("\"%1\" is not a plain file name. The file is written in "
                                       "the current folder: type a name without a folder, drive "
                                       "or root part.")
                            .arg(name));
    if (name.startsWith(QLatin1Char('.')))
        throw Exception(QStringLiteral("\"%1\" would be a hidden file: type a name that does not "
                                       "begin with a full stop.")
                            .arg(name));
    EncodedName(name);
}

// Refuses, with an error naming it, whatever `fileName` is that a new file must not take the
// place of; true when it is a regular file that may.
static bool MayReplace(const QString& fileName) {
    const fs::path path = NativePath(fileName);
    std::error_code error;
    switch (fs::symlink_status(path, error).type()) {
    case fs::file_type::regular:
        return true;
    case fs::file_type::directory:
        throw EInOutError(5).Named(fileName);
    case fs::file_type::symlink:
        throw Exception(QStringLiteral("Cannot write \"%1\": it is a link, and a link is never "
                                       "written through. Remove it and try again.")
                            .arg(QDir::toNativeSeparators(fileName)));
    case fs::file_type::not_found:
    case fs::file_type::none: // the status is unknown: the open reports why
        return false;
    default:
        throw Exception(QStringLiteral("Cannot write \"%1\": it is not a regular file.")
                            .arg(QDir::toNativeSeparators(fileName)));
    }
}

void MakeWayFor(const QString& fileName) {
    std::error_code error;
    if (MayReplace(fileName) && !fs::remove(NativePath(fileName), error) && error)
        throw EInOutError::FromErrno(error.default_error_condition().value()).Named(fileName);
}

void ReplaceWhole(const QString& fileName, const QByteArray& bytes) {
    MayReplace(fileName);
    const QString temporary = WriteTemporaryBeside(
        fileName, bytes, [&](int error) { throw EInOutError::FromErrno(error).Named(fileName); });
    errno = 0;
    // A rename replaces the name alone: a second name of the old file keeps its bytes.
    if (std::rename(EncodedName(temporary).constData(), EncodedName(fileName).constData()) != 0) {
        const int error = errno;
        QFile::remove(temporary);
        throw EInOutError::FromErrno(error).Named(fileName);
    }
}

std::error_code RenameNew(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    // Without MOVEFILE_COPY_ALLOWED or MOVEFILE_REPLACE_EXISTING a move neither copies nor
    // replaces.
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()), 0))
        return {};
    return {int(GetLastError()), std::system_category()};
#else
    const QByteArray source = EncodedName(from);
    const QByteArray target = EncodedName(to);
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return ErrnoError(errno);
        // This file system cannot refuse to replace while renaming; a second name can.
#endif
    if (::link(source.constData(), target.constData()) != 0)
        return ErrnoError(errno);
    if (::unlink(source.constData()) != 0) {
        const std::error_code error = ErrnoError(errno);
        ::unlink(target.constData());
        return error;
    }
    return {};
#endif
}

void WriteNewFile(const QString& fileName, const QByteArray& bytes) {
    WriteNewFile(fileName, bytes, [](const QString&) {});
}

void WriteNewFile(const QString& fileName, const QByteArray& bytes,
                  const std::function<void(const QString& written)>& check) {
    if (fileName.isEmpty())
        throw Exception(QStringLiteral("Cannot write a file without a name."));
    EncodedName(fileName);
    const QString temporary = WriteTemporaryBeside(
        fileName, bytes, [&](int error) { CannotWrite(fileName, ErrnoError(error)); });
    try {
        check(temporary);
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    if (const std::error_code error = RenameNew(temporary, fileName)) {
        QFile::remove(temporary);
        CannotWrite(fileName, error);
    }
}

void Delete(const QString& fileName) {
    const QByteArray name = EncodedName(fileName);
    errno = 0;
    if (std::remove(name.constData()) != 0)
        throw EInOutError::FromErrno(errno).Named(fileName);
}

QString Reason(const std::error_code& error) {
    return QString::fromLocal8Bit(error.message());
}

} // namespace LocalFiles
