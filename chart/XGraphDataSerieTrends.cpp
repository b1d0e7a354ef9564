// The curves a series derives from itself: moving averages and trend lines.

#include "XGraphDataSerie.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979;

// The window of point i: the points i, i - 1, ..., i - w + 1, so that the
// first point never enters one.
int WindowLength(int i, int window)
{
    return i < window ? i : window;
}

// The output of an average: the x values, and the first point as it is.
std::vector<DataPoint> StartAverage(const DataPoint* points, int count)
{
    std::vector<DataPoint> out(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out[static_cast<std::size_t>(i)].fXVal = points[i].fXVal;
    out[0].fYVal = points[0].fYVal;
    return out;
}

// The output of a trend over the point number: n + forecast points, the
// forecast continuing with the spacing of the first two points.
std::vector<DataPoint> StartTrend(const DataPoint* points, int count, int forecast)
{
    std::vector<DataPoint> out(static_cast<std::size_t>(count) +
                               static_cast<std::size_t>(forecast));
    const double spacing = points[1].fXVal - points[0].fXVal;
    for (std::size_t j = 0; j < out.size(); ++j)
        out[j].fXVal =
            j < static_cast<std::size_t>(count) ? points[j].fXVal : out[j - 1].fXVal + spacing;
    return out;
}

// A forecast that fits, with the points, into the chart's point count.
bool ForecastFits(int count, int forecast)
{
    return forecast >= 0 && forecast <= std::numeric_limits<int>::max() - count;
}

} // namespace

// Moving averages --------------------------------------------------------------

std::vector<DataPoint> CXGraphDataSerie::SimpleMovingAverage(int window) const
{
    if (m_points == nullptr || m_count < 1 || window < 1)
        return {};
    std::vector<DataPoint> out = StartAverage(m_points, m_count);
    for (int i = 1; i < m_count; ++i) {
        const int w = WindowLength(i, window);
        double sum = 0.0;
        for (int k = 0; k < w; ++k)
            sum += m_points[i - k].fYVal;
        out[static_cast<std::size_t>(i)].fYVal = sum / w;
    }
    return out;
}

std::vector<DataPoint> CXGraphDataSerie::LinearMovingAverage(int window) const
{
    if (m_points == nullptr || m_count < 1 || window < 1)
        return {};
    std::vector<DataPoint> out = StartAverage(m_points, m_count);
    for (int i = 1; i < m_count; ++i) {
        const int w = WindowLength(i, window);
        double sum = 0.0;
        double divisor = 0.0;
        for (int k = 0; k < w; ++k) {
            sum += static_cast<double>(w - k) * m_points[i - k].fYVal;
            divisor += static_cast<double>(k + 1);
        }
        out[static_cast<std::size_t>(i)].fYVal = sum / divisor;
    }
    return out;
}

std::vector<DataPoint> CXGraphDataSerie::ExponentialMovingAverage(int window) const
{
    if (m_points == nullptr || m_count < 1 || window < 1)
        return {};
    std::vector<DataPoint> out = StartAverage(m_points, m_count);
    const double alpha = 2.0 / (static_cast<double>(window) + 1.0);
    for (std::size_t i = 1; i < out.size(); ++i)
        out[i].fYVal = alpha * m_points[i].fYVal + (1.0 - alpha) * out[i - 1].fYVal;
    return out;
}

std::vector<DataPoint> CXGraphDataSerie::TriangularMovingAverage(int window) const
{
    if (m_points == nullptr || m_count < 1 || window < 1)
        return {};
    std::vector<DataPoint> out = StartAverage(m_points, m_count);
    for (int i = 1; i < m_count; ++i) {
        const int w = WindowLength(i, window);
        const double middle = (w + 1) / 2.0;
        double sum = 0.0;
        double divisor = 0.0;
        for (int k = 1; k <= w; ++k) {
            const double weight = w * (1.0 - std::fabs(k - middle) / middle);
            sum += weight * m_points[i - k + 1].fYVal;
            divisor += weight;
        }
        out[static_cast<std::size_t>(i)].fYVal = sum / divisor;
    }
    return out;
}

std::vector<DataPoint> CXGraphDataSerie::SineWeightedMovingAverage(int window) const
{
    if (m_points == nullptr || m_count < 1 || window < 1)
        return {};
    std::vector<DataPoint> out = StartAverage(m_points, m_count);
    // The angle comes from the requested window, also while the window
    // is still shorter.
    const double angle = kPi / (static_cast<double>(window) + 1.0);
    double divisor = 0.0;
    for (int i = 1; i < m_count; ++i) {
        const int w = WindowLength(i, window);
        // Once the window is full its weights stay the same.
        if (i <= window) {
            divisor = 0.0;
            for (int k = 1; k <= w; ++k)
                divisor += std::sin(k * angle);
        }
        double sum = 0.0;
        for (int k = 1; k <= w; ++k)
            sum += std::sin(k * angle) * m_points[i - w + k].fYVal;
        out[static_cast<std::size_t>(i)].fYVal = sum / divisor;
    }
    return out;
}

// Trends -------------------------------------------------------------------------

std::vector<DataPoint> CXGraphDataSerie::LinearTrend(int forecast) const
{
    if (m_points == nullptr || m_count < 2 || !ForecastFits(m_count, forecast))
        return {};
    double sumK = 0.0;
    double sumY = 0.0;
    double sumKY = 0.0;
    double sumKK = 0.0;
    for (int k = 1; k <= m_count; ++k) {
        const double y = m_points[k - 1].fYVal;
        sumK += k;
        sumY += y;
        sumKY += k * y;
        sumKK += static_cast<double>(k) * k;
    }
    const double n = m_count;
    // n * sumKK - sumK^2 = n^2 (n^2 - 1) / 12, above zero from two points.
    const double slope = (n * sumKY - sumK * sumY) / (n * sumKK - sumK * sumK);
    const double offset = (sumY - sumK * slope) / n;
    std::vector<DataPoint> out = StartTrend(m_points, m_count, forecast);
    for (std::size_t j = 0; j < out.size(); ++j)
        out[j].fYVal = offset + slope * static_cast<double>(j + 1);
    return out;
}

std::vector<DataPoint> CXGraphDataSerie::CubicTrend(int forecast) const
{
    if (m_points == nullptr || m_count < 2 || !ForecastFits(m_count, forecast))
        return {};
    double sumK3Y = 0.0;
    double sumK6 = 0.0;
    for (int k = 1; k <= m_count; ++k) {
        sumK3Y += std::pow(k, 3) * m_points[k - 1].fYVal;
        sumK6 += std::pow(k, 6);
    }
    const double factor = sumK3Y / sumK6;
    std::vector<DataPoint> out = StartTrend(m_points, m_count, forecast);
    for (std::size_t j = 0; j < out.size(); ++j)
        out[j].fYVal = factor * std::pow(static_cast<double>(j + 1), 3);
    return out;
}

std::vector<DataPoint> CXGraphDataSerie::PolynomialTrend(int coefficients, int forecast)
{
    // The forecast steps by the last two points, so it needs two.
    if (m_points == nullptr || m_count < 2 || !ForecastFits(m_count, forecast))
        return {};
    if (!m_polynomial.Fit(coefficients, m_points, m_count))
        return {};
    std::vector<DataPoint> out(static_cast<std::size_t>(m_count) +
                               static_cast<std::size_t>(forecast));
    for (std::size_t j = 0; j < out.size(); ++j) {
        const double x = j < static_cast<std::size_t>(m_count)
                             ? m_points[j].fXVal
                             : out[j - 1].fXVal + (out[j - 1].fXVal - out[j - 2].fXVal);
        out[j] = {x, m_polynomial.Evaluate(x)};
    }
    return out;
}
