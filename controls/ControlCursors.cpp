#include "controls/ControlCursors.h"

#include "runtime/Cursors.h"

#include <mutex>

void InstallControlCursors() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        const std::pair<int, const char*> pictures[] = {{crHandPoint, "POINTCURSOR"},
                                                        {crProHandPoint, "PRO_HANDPOINT"},
                                                        {crProSmallHandPoint, "PRO_SMALLHANDPOINT"},
                                                        {crProGrabHand, "PRO_GRABHAND"},
                                                        {crProGrabHandArrow, "PRO_GRABHANDARROW"},
                                                        {crProDragHand, "PRO_DRAGHAND"}};
        for (const auto& [id, name] : pictures)
            TCursors::InstallResource(id, QString::fromLatin1(name));
    });
}
