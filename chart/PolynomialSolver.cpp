#include "PolynomialSolver.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

// x^k by squaring and multiplying.
double IntegerPower(double x, int k)
{
    double result = 1.0;
    double factor = x;
    while (k > 0) {
        if ((k & 1) != 0)
            result *= factor;
        factor *= factor;
        k >>= 1;
    }
    return result;
}

} // namespace

bool CPolynomialSolver::Fit(int coefficientCount, const DataPoint* points, int count)
{
    if (coefficientCount < kMinCoefficients || coefficientCount > kMaxCoefficients)
        return false;
    m_coefficientCount = coefficientCount;
    const auto m = static_cast<std::size_t>(coefficientCount);
    // The normal matrix and right-hand side are summed one Vandermonde row
    // at a time, point by point in order: the same sums as from the whole
    // n x m matrix, without holding it.
    std::vector<std::vector<double>> normal(m, std::vector<double>(m, 0.0));
    std::vector<double> rhs(m, 0.0);
    std::vector<double> row(m, 0.0);
    for (int k = 0; points != nullptr && k < count; ++k) {
        const double x = points[k].fXVal;
        row[0] = 1.0;
        for (std::size_t j = 1; j < m; ++j)
            row[j] = row[j - 1] * x;
        for (std::size_t j = 0; j < m; ++j) {
            for (std::size_t t = j; t < m; ++t)
                normal[j][t] += row[j] * row[t];
            rhs[j] += row[j] * points[k].fYVal;
        }
    }
    for (std::size_t j = 0; j < m; ++j)
        for (std::size_t t = 0; t < j; ++t)
            normal[j][t] = normal[t][j];
    const bool solved = SolveLinearSystem(normal, rhs, coefficientCount);
    for (std::size_t j = 0; j < m; ++j)
        m_coefficients[j] = rhs[j];
    return solved;
}

double CPolynomialSolver::Evaluate(double x) const
{
    // A count written from outside never reaches past the slots.
    const int count = std::clamp(m_coefficientCount, 0, kSlots);
    double sum = 0.0;
    for (int k = 0; k < count; ++k)
        sum += m_coefficients[static_cast<std::size_t>(k)] * IntegerPower(x, k);
    return sum;
}

CString CPolynomialSolver::FormulaText() const
{
    const int count = std::clamp(m_coefficientCount, 0, kSlots);
    CString text("f(x)=");
    for (int k = 0; k < count; ++k) {
        const double coefficient = m_coefficients[static_cast<std::size_t>(k)];
        if (coefficient == 0.0)
            continue;
        text += CString::Formatted("%5.4e*X^%d", coefficient, k);
        if (k < count - 1)
            text += "+\n";
    }
    return text;
}

bool CPolynomialSolver::SolveLinearSystem(std::vector<std::vector<double>>& matrix,
                                          std::vector<double>& rhs, int size)
{
    if (size < 0)
        return false;
    const auto m = static_cast<std::size_t>(size);
    if (matrix.size() < m || rhs.size() < m)
        return false;
    for (std::size_t r = 0; r < m; ++r)
        if (matrix[r].size() < m)
            return false;

    for (std::size_t i = 0; i < m; ++i) {
        // The largest magnitude at or below the diagonal; the first of
        // equal ones wins.
        std::size_t pivotRow = m;
        double largest = 0.0;
        for (std::size_t r = i; r < m; ++r) {
            const double magnitude = std::fabs(matrix[r][i]);
            if (magnitude > largest) {
                largest = magnitude;
                pivotRow = r;
            }
        }
        if (pivotRow == m)
            return false;
        std::swap(matrix[i], matrix[pivotRow]);
        std::swap(rhs[i], rhs[pivotRow]);

        const double pivot = matrix[i][i];
        for (std::size_t t = 0; t < m; ++t)
            matrix[i][t] /= pivot;
        rhs[i] /= pivot;

        for (std::size_t k = 0; k < m; ++k) {
            if (k == i)
                continue;
            const double factor = matrix[k][i];
            for (std::size_t t = 0; t < m; ++t)
                matrix[k][t] -= factor * matrix[i][t];
            rhs[k] -= factor * rhs[i];
        }
    }
    return true;
}
