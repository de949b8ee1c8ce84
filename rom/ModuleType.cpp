#include "rom/ModuleType.h"

QString ModuleType::Describe(std::uint16_t type) {
    const QString number =
        QStringLiteral("0x%1").arg(QString::number(type, 16).toUpper().rightJustified(4, '0'));
    const char* name = type == SystemBios     ? "system BIOS"
                       : type == CpuMicrocode ? "CPU microcode"
                       : type == Logo         ? "logo"
                       : type == Acpi         ? "ACPI table"
                                              : nullptr;
    return name ? QStringLiteral("%1 (%2)").arg(QLatin1String(name), number) : number;
}
