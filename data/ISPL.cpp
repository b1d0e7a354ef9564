#include "ISPL.h"

#include <cmath>

double ISPL::ExchangeDivisor() const
{
    switch (exchangeCode) {
    case 4:
        return 13.288;
    case 5:
        return 16.61;
    default:
        return 10.0;
    }
}

double ISPL::ExchangeMultiplier() const
{
    return static_cast<double>(static_cast<float>(ExchangeDivisor()));
}

double ISPL::Add(const float* levels, int n)
{
    const double divisor = ExchangeDivisor();
    for (int i = 0; i < n; ++i)
        energySum += std::pow(10.0, static_cast<double>(levels[i]) / 10.0);
    for (int i = 0; i < n; ++i) {
        const double level = levels[i];
        if (thresholdLevel <= level)
            doseSum += std::pow(10.0, level / divisor);
    }
    count += n;
    return count;
}

double ISPL::ProjectedDose() const
{
    if (count == 0.0)
        return 0.0;
    const double excess =
        ExchangeMultiplier() * std::log10((doseSum + 0.0005) / count) - criterionLevel;
    if (excess <= 0.0)
        return 0.0;
    return 100.0 * std::pow(10.0, excess / ExchangeDivisor());
}

double ISPL::Dose() const
{
    return ProjectedDose() * (count * 0.1 / 3600.0) * 0.125;
}
