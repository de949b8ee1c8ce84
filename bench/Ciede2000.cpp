#include "bench/Ciede2000.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

using TLab = std::array<double, 3>;

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabCurve(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

TLab Lab(QRgb rgb) {
    const double r = Linear(qRed(rgb));
    const double g = Linear(qGreen(rgb));
    const double b = Linear(qBlue(rgb));
    const double x = LabCurve((0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047);
    const double y = LabCurve(0.2126729 * r + 0.7151522 * g + 0.0721750 * b);
    const double z = LabCurve((0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883);
    return {116 * y - 16, 500 * (x - y), 200 * (y - z)};
}

double Degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}
double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

double Hue(double b, double a) {
    if (a == 0 && b == 0)
        return 0;
    const double h = Degrees(std::atan2(b, a));
    return h < 0 ? h + 360 : h;
}

} // namespace

double Ciede2000(QRgb first, QRgb second) {
    const TLab p = Lab(first);
    const TLab q = Lab(second);
    const double c1 = std::hypot(p[1], p[2]);
    const double c2 = std::hypot(q[1], q[2]);
    const double cMean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p[1];
    const double a2 = (1 + g) * q[1];
    const double cp1 = std::hypot(a1, p[2]);
    const double cp2 = std::hypot(a2, q[2]);
    const double h1 = Hue(p[2], a1);
    const double h2 = Hue(q[2], a2);
    const double dL = q[0] - p[0];
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0)
        dh = std::abs(h2 - h1) <= 180 ? h2 - h1 : (h2 <= h1 ? h2 - h1 + 360 : h2 - h1 - 360);
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(Radians(dh / 2));
    const double lMean = (p[0] + q[0]) / 2;
    const double cMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0)
        hMean = std::abs(h1 - h2) <= 180 ? hMean / 2
                : hMean < 360            ? (hMean + 360) / 2
                                         : (hMean - 360) / 2;
    const double t = 1 - 0.17 * std::cos(Radians(hMean - 30)) +
                     0.24 * std::cos(Radians(2 * hMean)) + 0.32 * std::cos(Radians(3 * hMean + 6)) -
                     0.20 * std::cos(Radians(4 * hMean - 63));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * cMean;
    const double sH = 1 + 0.015 * cMean * t;
    const double cMean7p = std::pow(cMean, 7);
    const double rT = -2 * std::sqrt(cMean7p / (cMean7p + std::pow(25.0, 7))) *
                      std::sin(Radians(60 * std::exp(-std::pow((hMean - 275) / 25, 2))));
    const double l = dL / sL;
    const double c = dC / sC;
    const double h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}
