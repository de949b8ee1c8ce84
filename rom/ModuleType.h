#ifndef VARNEL_ROM_MODULETYPE_H
#define VARNEL_ROM_MODULETYPE_H

#include <QString>
#include <cstdint>

// The module types an Award image keeps in the date word of each member's header.
namespace ModuleType {

inline constexpr std::uint16_t SystemBios = 0x5000;
inline constexpr std::uint16_t CpuMicrocode = 0x4001;
inline constexpr std::uint16_t Logo = 0x4002;
inline constexpr std::uint16_t Acpi = 0x4003;

// "logo (0x4002)", or "0x4100" for a type we do not know by name.
QString Describe(std::uint16_t type);

} // namespace ModuleType

#endif
