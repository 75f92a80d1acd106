// Least-squares sine fit: the frequency whose sine (with any phase and offset) fits a stretch of
// samples best, and how far below that sine everything else lies.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

namespace pelkit::test {

struct ToneFit {
    double frequency = 0;   // Hz
    double residualDb = 0;  // energy not explained by the sine, relative to the sine's
};

namespace detail {

// Residual and fitted energy of a*sin + b*cos + c at F over X.
inline void fitAt(const std::vector<double>& x, double rate, double f, double& residual,
                  double& fitted) {
    double ss = 0, cc = 0, sc = 0, s1 = 0, c1 = 0, n = static_cast<double>(x.size());
    double xs = 0, xc = 0, x1 = 0, xx = 0;
    const double w = 2 * M_PI * f / rate;
    for (size_t i = 0; i < x.size(); ++i) {
        const double s = std::sin(w * static_cast<double>(i));
        const double c = std::cos(w * static_cast<double>(i));
        ss += s * s, cc += c * c, sc += s * c, s1 += s, c1 += c;
        xs += x[i] * s, xc += x[i] * c, x1 += x[i], xx += x[i] * x[i];
    }
    // Normal equations [ss sc s1; sc cc c1; s1 c1 n] [a b c] = [xs xc x1], by Cramer's rule.
    auto det = [](double a, double b, double c, double d, double e, double f2, double g, double h,
                  double k) {
        return a * (e * k - f2 * h) - b * (d * k - f2 * g) + c * (d * h - e * g);
    };
    const double d = det(ss, sc, s1, sc, cc, c1, s1, c1, n);
    const double a = det(xs, sc, s1, xc, cc, c1, x1, c1, n) / d;
    const double b = det(ss, xs, s1, sc, xc, c1, s1, x1, n) / d;
    const double c = det(ss, sc, xs, sc, cc, xc, s1, c1, x1) / d;
    // Energy of the fitted sine (offset left out) and of what remains.
    fitted = a * a * ss + b * b * cc + 2 * a * b * sc;
    residual = xx - (a * xs + b * xc + c * x1);
}

}  // namespace detail

// Fits X (sampled at RATE) with sines from LOW to HIGH Hz: a coarse scan, then a fine one.
inline ToneFit fitTone(const std::vector<double>& x, double rate, double low, double high) {
    double best = low, bestResidual = 1e300, fitted = 0, residual = 0;
    for (int pass = 0; pass < 3; ++pass) {
        const double step = (high - low) / 200;
        for (double f = low; f <= high; f += step) {
            detail::fitAt(x, rate, f, residual, fitted);
            if (residual < bestResidual) bestResidual = residual, best = f;
        }
        low = best - step, high = best + step;
    }
    detail::fitAt(x, rate, best, residual, fitted);
    ToneFit fit;
    fit.frequency = best;
    fit.residualDb = 10 * std::log10(std::max(residual, 1e-30) / std::max(fitted, 1e-30));
    return fit;
}

}  // namespace pelkit::test
