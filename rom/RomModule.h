#ifndef VARNEL_ROM_ROMMODULE_H
#define VARNEL_ROM_ROMMODULE_H

#include "rom/LzhMember.h"

// A module of a BIOS image: its member and where it lies.
struct TRomModule {
    TLzhMember member;
    qint64 offset = 0;
    int region = 0; // the index of the chain it belongs to
};

#endif
