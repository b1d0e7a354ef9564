#pragma once

#include "CString.h"
#include "DataPoint.h"

#include <array>
#include <vector>

// A least-squares polynomial through a series' points: every series keeps
// one, holding the coefficients of the last polynomial trend computed from
// it. c[k] multiplies x^k; only the first m of the 21 slots are used.
class CPolynomialSolver
{
public:
    // The coefficient counts a fit accepts (the degree plus one).
    static constexpr int kMinCoefficients = 2;
    static constexpr int kMaxCoefficients = 20;
    static constexpr int kSlots = 21;

    CPolynomialSolver() = default;
    CPolynomialSolver(const CPolynomialSolver&) = default;
    CPolynomialSolver& operator=(const CPolynomialSolver&) = default;
    virtual ~CPolynomialSolver() = default;

    // Fits m coefficients to the points through the normal equations. False
    // when the normal matrix is singular (fewer distinct x values than
    // coefficients), and for a count outside 2..20, which leaves the solver
    // as it was; after a failed solve the coefficients mean nothing.
    bool Fit(int coefficientCount, const DataPoint* points, int count);
    // The polynomial at x.
    double Evaluate(double x) const;
    // "f(x)=" and one "%5.4e*X^%d" term per coefficient that is not exactly
    // zero, each but the last power followed by "+\n".
    CString FormulaText() const;

    // Solves matrix * s = rhs for the first `size` rows and columns by
    // Gauss-Jordan elimination with partial pivoting; on success rhs holds
    // s. False when a pivot column has no entry above zero, or when the
    // matrix and rhs are smaller than size.
    static bool SolveLinearSystem(std::vector<std::vector<double>>& matrix,
                                  std::vector<double>& rhs, int size);

    int m_coefficientCount = 0;
    std::array<double, kSlots> m_coefficients{};
};
