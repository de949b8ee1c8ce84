#include "pictures/WorkBudget.h"

#include "runtime/InvalidGraphic.h"

#include <algorithm>
#include <cmath>

TWorkBudget::TWorkBudget(QSize output, QString kind)
    : output_(QPointF(0, 0), QSizeF(output)), kind_(std::move(kind)), left_(LimitFor(output)) {}

qint64 TWorkBudget::LimitFor(QSize output) {
    const qint64 pixels = std::max(qint64(output.width()) * output.height(), SmallestOutput);
    return std::min(pixels * UnitsPerPixel, Ceiling);
}

qint64 TWorkBudget::OnOutput(const QRectF& area) const {
    const QRectF touched = area.normalized().intersected(output_);
    if (touched.isEmpty() || !std::isfinite(touched.width()) || !std::isfinite(touched.height()))
        return 0;
    return qint64(std::ceil(touched.width())) * qint64(std::ceil(touched.height()));
}

void TWorkBudget::Spend(qint64 units) {
    if (units < 0 || units > left_) {
        left_ = 0;
        throw EInvalidGraphic(QStringLiteral("%1 picture is too complex").arg(kind_));
    }
    left_ -= units;
}
