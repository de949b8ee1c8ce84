#include "controls/ControlCursors.h"

#include "runtime/Cursors.h"

#include <QString>
#include <mutex>

void InstallControlCursors() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        InstallCursorResource(crHandPoint, QStringLiteral("POINTCURSOR"));
        InstallCursorResource(crProHandPoint, QStringLiteral("PRO_HANDPOINT"));
        InstallCursorResource(crProSmallHandPoint, QStringLiteral("PRO_SMALLHANDPOINT"));
        InstallCursorResource(crProGrabHand, QStringLiteral("PRO_GRABHAND"));
        InstallCursorResource(crProGrabHandArrow, QStringLiteral("PRO_GRABHANDARROW"));
        InstallCursorResource(crProDragHand, QStringLiteral("PRO_DRAGHAND"));
    });
}
