#include "tools/epatool/NamedFailure.h"

#include "runtime/InOutError.h"

#include <system_error>

Exception Named(const QString& input, const QString& output, const Exception& failure) {
    const auto* io = dynamic_cast<const EInOutError*>(&failure);
    if (io && !io->FileName().isEmpty()) {
        QString reason = io->Message();
        if (io->SystemError() != 0)
            reason += QStringLiteral(" (%1)").arg(
                QString::fromStdString(std::generic_category().message(io->SystemError())));
        return Exception(QStringLiteral("%1: %2: %3").arg(input, io->FileName(), reason));
    }
    if (failure.Message().contains(input) || failure.Message().contains(output))
        return failure;
    return Exception(QStringLiteral("%1: %2").arg(input, failure.Message()));
}
