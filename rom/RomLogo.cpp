#include "rom/RomLogo.h"

#include "logo/AwbmLogo.h"
#include "logo/EpaLogo.h"
#include "runtime/Exception.h"

TRomLogo TRomLogo::Identify(const QByteArray& bytes) {
    TRomLogo logo;
    if (TAwbmLogo::HasSignature(bytes)) {
        try {
            const TAwbmLogo awbm = TAwbmLogo::Parse(bytes, {});
            logo.kind_ = TKind::Awbm;
            logo.width_ = awbm.Width();
            logo.height_ = awbm.Height();
            logo.colors_ = awbm.Colors();
            return logo;
        } catch (const Exception&) {
            // An EPA logo of 65 x 87 cells begins with "AWBM" too.
        }
    }
    try {
        const TEpaLogo epa = TEpaLogo::Parse(bytes, {});
        logo.kind_ = TKind::Epa;
        logo.columns_ = epa.Columns();
        logo.rows_ = epa.Rows();
        logo.hasTrailer_ = epa.HasTrailer();
    } catch (const Exception&) {
    }
    return logo;
}

QString TRomLogo::KindName(TKind kind) {
    return kind == TKind::Epa ? QStringLiteral("EPA") : kind == TKind::Awbm ? "AWBM" : "other";
}

QString TRomLogo::Describe() const {
    switch (kind_) {
    case TKind::Epa:
        return QStringLiteral("EPA logo, %1 x %2 cells, %3 the 70 trailing bytes")
            .arg(columns_)
            .arg(rows_)
            .arg(hasTrailer_ ? "with" : "without");
    case TKind::Awbm:
        return QStringLiteral("AWBM logo, %1 x %2 pixels, %3 colours")
            .arg(width_)
            .arg(height_)
            .arg(colors_);
    case TKind::Other:
        break;
    }
    return QStringLiteral("neither an EPA nor an AWBM logo");
}
